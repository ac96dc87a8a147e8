#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lyricast {

struct FolderEntry {
    std::string name;
    bool isFolder = false; // a folder, or a link that leads to one
    bool hidden = false;   // the hidden attribute on Windows; a name starting with "." elsewhere
    bool system = false;   // the system attribute on Windows; never elsewhere
};

// Every entry of a folder, hidden and system ones included, but not "." and
// "..", in the order the system gives; nothing when it cannot be listed.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder);

// The path leads to a folder (possibly through a link).
bool IsFolder(const std::string& path);

// The names of a folder's sub-folders that are neither hidden nor system
// entries, sorted without regard to case; empty when it cannot be listed.
std::vector<std::string> ListSubFolders(const std::string& folder);

// The names of a folder's files (neither folders nor hidden nor system
// entries) that one of the ";"-separated patterns of `mask` matches, sorted
// without regard to case; empty when it cannot be listed.
std::vector<std::string> ListFiles(const std::string& folder, std::string_view mask);

// A file-name pattern as Windows reads it: "*" any run of characters, "?" one,
// letter case aside; a pattern ending in ".*" also matches names without a
// "." ("*.*" matches every name).
bool MatchesMask(std::string_view name, std::string_view pattern);

// Order of names without regard to ASCII letter case, ties broken by the bytes.
bool LessIgnoringCase(std::string_view a, std::string_view b);

} // namespace lyricast
