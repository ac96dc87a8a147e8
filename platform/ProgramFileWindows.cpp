#include "platform/ProgramFileWindows.h"

#include "platform/WideTextWindows.h"

#include <windows.h>
#include <vector>

namespace lyricast {

// A path longer than the first guess is asked for again with room for it.
std::string ProgramFile() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size())
            return Utf8FromWide(std::wstring(path.data(), length));
        path.resize(path.size() * 2);
    }
}

} // namespace lyricast
