#include "platform/ProgramFolderWindows.h"

#include "platform/PathRules.h"
#include "platform/WideTextWindows.h"

#include <windows.h>
#include <vector>

namespace lyricast {
namespace {

std::wstring ProgramFile() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size())
            return std::wstring(path.data(), length);
        path.resize(path.size() * 2);
    }
}

} // namespace

std::string ProgramFolder() {
    const std::string file = Utf8FromWide(ProgramFile());
    const std::size_t end = PathRules::Windows().LastFolderEnd(file);
    return end == std::string::npos ? std::string() : file.substr(0, end + 1);
}

} // namespace lyricast
