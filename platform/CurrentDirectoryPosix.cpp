#include "platform/CurrentDirectory.h"

#include "platform/DirectoryError.h"

#include <cerrno>
#include <unistd.h>
#include <vector>

namespace lyricast {

std::string GetCurrentDir() {
    std::vector<char> buffer(256);
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size()) != nullptr)
            return buffer.data();
        if (errno != ERANGE)
            throw DirectoryError::FromErrno(errno);
        buffer.resize(buffer.size() * 2);
    }
}

void SetCurrentDir(const std::string& path) {
    if (::chdir(path.c_str()) != 0)
        throw DirectoryError::FromErrno(errno);
}

void EnterVolume(const std::string& root, const std::string& lastVisited) {
    if (!lastVisited.empty() && ::chdir(lastVisited.c_str()) == 0)
        return;
    SetCurrentDir(root);
}

} // namespace lyricast
