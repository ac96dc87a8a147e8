#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace lyricast {

// The system's folder dialog; nothing when the user cancels.
std::optional<std::string> PickFolder(HWND owner, const std::string& title);

// The paths of files dropped from Explorer, as the system gave them.
std::vector<std::string> DroppedPaths(HDROP drop);

} // namespace lyricast
