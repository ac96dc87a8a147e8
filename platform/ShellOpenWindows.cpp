#include "platform/ShellOpen.h"

#include "platform/SystemPathWindows.h"

#include <windows.h>
#include <shellapi.h>

namespace lyricast {
namespace {

bool ShellExecuteVerb(const wchar_t* verb, const std::string& path) {
    const auto wide = PlainSystemPath(path);
    if (!wide)
        return false;
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, verb, wide->c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

} // namespace

void ShellOpen(const std::string& path) {
    ShellExecuteVerb(L"open", path);
}

// "explore" is the file manager's own verb for a folder, whatever else
// claims the "open" of folders.
bool ShellOpenFolder(const std::string& folder) {
    return ShellExecuteVerb(L"explore", folder);
}

} // namespace lyricast
