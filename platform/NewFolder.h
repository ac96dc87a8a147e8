#pragma once

#include <string>

namespace lyricast {

// Makes one folder (its parent must exist); false when the system refuses:
// the name is taken, not allowed, or the parent is missing or read-only.
bool CreateFolder(const std::string& path);

// The same, with the system's reason when it refuses.
bool CreateFolder(const std::string& path, std::string& reason);

} // namespace lyricast
