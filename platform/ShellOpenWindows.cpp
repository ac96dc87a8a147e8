#include "platform/ShellOpen.h"

#include <windows.h>
#include <shellapi.h>

namespace lyricast {

void ShellOpen(const std::string& path) {
    ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// "explore" is the file manager's own verb for a folder, whatever else
// claims the "open" of folders.
bool ShellOpenFolder(const std::string& folder) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "explore", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

} // namespace lyricast
