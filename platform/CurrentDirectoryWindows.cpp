#include "platform/CurrentDirectory.h"

#include "platform/AsciiCase.h"
#include "platform/DirectoryError.h"

#include <windows.h>
#include <vector>

namespace lyricast {

std::string GetCurrentDir() {
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0)
            throw DirectoryError::FromSystemCode(static_cast<int>(GetLastError()));
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(length + 1);
    }
}

void SetCurrentDir(const std::string& path) {
    if (!SetCurrentDirectoryA(path.c_str()))
        throw DirectoryError::FromSystemCode(static_cast<int>(GetLastError()));
    // The system finds a drive's own current folder ("d:") in the hidden
    // variable "=D:", which the C runtime's chdir keeps up to date; so do we.
    const std::string now = GetCurrentDir();
    if (now.size() >= 2 && now[1] == ':') {
        const std::string name = std::string("=") + AsciiUpper(now[0]) + ":";
        SetEnvironmentVariableA(name.c_str(), now.c_str());
    }
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
