#include "platform/CurrentDirectory.h"

#include "platform/AsciiCase.h"
#include "platform/DirectoryError.h"
#include "platform/SystemPathWindows.h"
#include "platform/WideTextWindows.h"

#include <windows.h>
#include <vector>

namespace lyricast {
namespace {

[[noreturn]] void Throw(DWORD code) {
    throw DirectoryError::FromSystemCode(static_cast<int>(code));
}

std::wstring CurrentDirectoryWide() {
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0)
            Throw(GetLastError());
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.resize(length + 1);
    }
}

// The system keeps a current folder of MAX_PATH - 2 characters at most, and
// refuses a longer one as too long, though Wine may take it.
bool FitsTheCurrentFolder(const std::wstring& path) {
    return FullSystemPath(path).size() <= MAX_PATH - 2;
}

// The system finds a drive's own current folder ("d:") in the hidden variable
// "=D:", which the C runtime's chdir keeps up to date; so do we.
void StoreDrivesCurrentFolder() {
    const std::wstring now = CurrentDirectoryWide();
    if (now.size() >= 2 && now[1] == L':' && now[0] < 0x80) {
        const wchar_t drive = static_cast<wchar_t>(AsciiUpper(static_cast<char>(now[0])));
        const std::wstring name{L'=', drive, L':'};
        SetEnvironmentVariableW(name.c_str(), now.c_str());
    }
}

} // namespace

std::string GetCurrentDir() {
    return Utf8FromWide(CurrentDirectoryWide());
}

void SetCurrentDir(const std::string& path) {
    const auto wide = PlainSystemPath(path);
    if (!wide)
        Throw(GetLastError());
    if (!FitsTheCurrentFolder(*wide))
        Throw(ERROR_FILENAME_EXCED_RANGE);
    if (!SetCurrentDirectoryW(wide->c_str()))
        Throw(GetLastError());
    StoreDrivesCurrentFolder();
}

void EnterVolume(const std::string& root, const std::string& /*lastVisited*/) {
    // "d:" alone is the drive's own current folder, which the system keeps.
    if (root.size() >= 2 && root[1] == ':') {
        SetCurrentDir(root.substr(0, 2));
    } else {
        SetCurrentDir(root);
    }
}

} // namespace lyricast
