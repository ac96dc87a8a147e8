#include "ui/win32/IniText.h"

#include "platform/AsciiCase.h"

namespace lyricast {
namespace {

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\''))
        return value.substr(1, value.size() - 2);
    return value;
}

// The name of the section a line opens, if it opens one.
std::optional<std::string_view> SectionOf(std::string_view line) {
    const std::string_view text = Trimmed(line);
    if (text.size() < 2 || text.front() != '[' || text.back() != ']')
        return std::nullopt;
    return Trimmed(text.substr(1, text.size() - 2));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

// The key a line sets and its value; nothing for a comment or a line without "=".
std::optional<Entry> EntryOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = Trimmed(line.substr(0, equals));
    if (key.empty() || key.front() == ';')
        return std::nullopt;
    return Entry{key, Unquoted(Trimmed(line.substr(equals + 1)))};
}

} // namespace

IniText::IniText(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines_.emplace_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

IniText::Place IniText::Find(std::string_view section, std::string_view key) const {
    Place place{lines_.size(), false, false};
    bool inside = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (const auto name = SectionOf(lines_[i])) {
            inside = SameIgnoringAsciiCase(*name, section);
            if (inside)
                place = {i + 1, false, true};
            continue;
        }
        if (!inside)
            continue;
        const auto entry = EntryOf(lines_[i]);
        if (entry && SameIgnoringAsciiCase(entry->key, key))
            return {i, true, true};
        if (!Trimmed(lines_[i]).empty())
            place.line = i + 1;
    }
    return place;
}

std::optional<std::string> IniText::Value(std::string_view section, std::string_view key) const {
    const Place place = Find(section, key);
    if (!place.found)
        return std::nullopt;
    return std::string(EntryOf(lines_[place.line])->value);
}

void IniText::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + std::string(value);
    Place place = Find(section, key);
    if (place.found) {
        lines_[place.line] = std::move(line);
        return;
    }
    if (!place.sectionFound) {
        lines_.push_back("[" + std::string(section) + "]");
        place.line = lines_.size();
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(place.line), std::move(line));
}

std::string IniText::Text() const {
    std::string text;
    for (const std::string& line : lines_)
        text += line + "\r\n";
    return text;
}

} // namespace lyricast
