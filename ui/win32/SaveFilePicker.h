#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace lyricast {

// The system's dialog that asks where to save a file, offering `suggested`
// (a path) and CSV files; nothing when the user cancels.
std::optional<std::string> PickSaveFile(HWND owner, const std::string& title,
                                        const std::string& suggested);

} // namespace lyricast
