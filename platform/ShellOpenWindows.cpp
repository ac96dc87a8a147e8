#include "platform/ShellOpen.h"

#include <windows.h>
#include <shellapi.h>

namespace lyricast {

void ShellOpen(const std::string& path) {
    ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace lyricast
