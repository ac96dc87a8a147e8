#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lyricast {

struct FolderEntry {
    std::string name;
    bool isFolder = false;  // a folder, or a link that leads to one
};

// Every entry of a folder, hidden and system ones included, but not "." and
// "..", in the order the system gives; nothing when it cannot be listed.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder);

// The path leads to a folder (possibly through a link).
bool IsFolder(const std::string& path);

} // namespace lyricast
