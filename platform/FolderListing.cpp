#include "platform/FolderListing.h"

#include "platform/AsciiCase.h"

#include <algorithm>

namespace lyricast {
namespace {

bool Glob(std::string_view name, std::string_view pattern) {
    // Greedy matching with one back-track point: the last "*" seen.
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starAt = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || AsciiLower(pattern[p]) == AsciiLower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            starName = n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

void SortIgnoringCase(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return LessIgnoringCase(a, b); });
}

} // namespace

bool MatchesMask(std::string_view name, std::string_view pattern) {
    if (Glob(name, pattern))
        return true;
    return pattern.ends_with(".*") && name.find('.') == std::string_view::npos &&
           Glob(name, pattern.substr(0, pattern.size() - 2));
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
    const auto byte = [](char c) { return static_cast<unsigned char>(c); };
    const auto foldedLess = [&](char l, char r) {
        return byte(AsciiLower(l)) < byte(AsciiLower(r));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), foldedLess))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), foldedLess))
        return false;
    return a < b;
}

std::vector<std::string> ListSubFolders(const std::string& folder) {
    std::vector<std::string> names;
    if (const auto entries = ListFolder(folder)) {
        for (const FolderEntry& entry : *entries)
            if (entry.isFolder && !entry.hidden && !entry.system)
                names.push_back(entry.name);
    }
    SortIgnoringCase(names);
    return names;
}

std::vector<std::string> ListFiles(const std::string& folder, std::string_view mask) {
    std::vector<std::string> names;
    const auto entries = ListFolder(folder);
    if (!entries)
        return names;
    for (const FolderEntry& entry : *entries) {
        if (entry.isFolder || entry.hidden || entry.system)
            continue;
        std::string_view patterns = mask;
        for (;;) {
            const std::size_t end = std::min(patterns.find(';'), patterns.size());
            if (MatchesMask(entry.name, patterns.substr(0, end))) {
                names.push_back(entry.name);
                break;
            }
            if (end == patterns.size())
                break;
            patterns.remove_prefix(end + 1);
        }
    }
    SortIgnoringCase(names);
    return names;
}

} // namespace lyricast
