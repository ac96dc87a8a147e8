#include "window/FolderLadder.h"

namespace lyricast {
namespace {

std::size_t CharLength(std::string_view text, std::size_t at, LeadBytePredicate leadByte) {
    const bool lead = leadByte != nullptr && leadByte(static_cast<unsigned char>(text[at]));
    return lead && at + 1 < text.size() ? 2 : 1;
}

std::size_t FindSeparator(std::string_view text, char separator, LeadBytePredicate leadByte) {
    for (std::size_t at = 0; at < text.size(); at += CharLength(text, at, leadByte))
        if (text[at] == separator)
            return at;
    return std::string_view::npos;
}

bool EndsWithSeparator(std::string_view text, char separator, LeadBytePredicate leadByte) {
    std::size_t last = std::string_view::npos;
    for (std::size_t at = 0; at < text.size(); at += CharLength(text, at, leadByte))
        last = at;
    return last != std::string_view::npos && text[last] == separator;
}

std::size_t CountSeparators(std::string_view text, char separator, LeadBytePredicate leadByte) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += CharLength(text, at, leadByte))
        if (text[at] == separator)
            ++count;
    return count;
}

} // namespace

std::vector<LadderItem> LadderOf(std::string_view folder, const PathRules& rules,
                                 LeadBytePredicate leadByte) {
    const char separator = rules.separator;
    const std::string root = std::string(rules.DrivePart(folder)) + separator;
    std::vector<LadderItem> items;
    std::string_view rest = folder;
    if (root.size() >= 2 && root[1] != ':' && rules.IsSeparator(root[1])) {
        items.push_back({root, LadderKind::Open});
        rest.remove_prefix(std::min(root.size(), rest.size()));
    }
    if (rest.empty())
        return items;
    if (!EndsWithSeparator(rest, separator, leadByte)) {
        for (std::size_t at;
             (at = FindSeparator(rest, separator, leadByte)) != std::string_view::npos;) {
            std::string part(rest.substr(0, at));
            if (items.empty())
                part += separator;
            items.push_back({std::move(part), LadderKind::Open});
            rest.remove_prefix(at + 1);
        }
    }
    items.push_back({std::string(rest), LadderKind::Current});
    return items;
}

int LadderIndent(std::size_t index, LadderKind kind, std::string_view folder,
                 const PathRules& rules, LeadBytePredicate leadByte) {
    if (kind == LadderKind::Closed)
        return static_cast<int>(CountSeparators(folder, rules.separator, leadByte)) * 4 + 6;
    return static_cast<int>(index) * 4 + 2;
}

std::string LadderItemPath(std::size_t index, const LadderItem& item, std::string_view folder,
                           const PathRules& rules, LeadBytePredicate leadByte) {
    const std::string_view drive = rules.DrivePart(folder);
    if (index == 0)
        return std::string(drive) + rules.separator;
    if (item.kind == LadderKind::Closed) {
        if (EndsWithSeparator(folder, rules.separator, leadByte))
            return std::string(folder) + item.text;
        return rules.Join(folder, item.text);
    }
    if (item.kind == LadderKind::Current)
        return std::string(folder);
    // An open item at index k: up to, not including, the (k + 1)-th separator after the drive.
    const std::string_view rest = folder.substr(drive.size());
    std::size_t seen = 0;
    for (std::size_t at = 0; at < rest.size(); at += CharLength(rest, at, leadByte)) {
        if (rest[at] == rules.separator && ++seen == index + 1)
            return std::string(drive) + std::string(rest.substr(0, at));
    }
    return std::string(folder);
}

PathSplit SplitLastPart(std::string_view path, const PathRules& rules) {
    const std::size_t end = rules.LastFolderEnd(path);
    if (end == std::string_view::npos)
        return {"", std::string(path)};
    std::string_view folder = path.substr(0, end + 1);
    // Drop the separator unless it is the root's own ("/", "C:\", "C:").
    const bool root =
        path[end] == ':' || folder.size() == 1 || rules.DrivePart(path).size() + 1 == folder.size();
    if (!root)
        folder.remove_suffix(1);
    return {std::string(folder), std::string(path.substr(end + 1))};
}

} // namespace lyricast
