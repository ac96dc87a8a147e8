#include "platform/NewFolder.h"

#ifdef _WIN32
#include "platform/SystemPathWindows.h"

#include <windows.h>

#include "platform/SystemMessageWindows.h"
#else
#include "platform/FileError.h"

#include <cerrno>
#include <sys/stat.h>
#endif

namespace lyricast {

bool CreateFolder(const std::string& path) {
    if (path.empty())
        return false;
#ifdef _WIN32
    const auto wide = SystemPath(path);
    return wide && CreateDirectoryW(wide->c_str(), nullptr) != 0;
#else
    return ::mkdir(path.c_str(), 0777) == 0;
#endif
}

// The system's error is still the one of the refusal when it is read.
bool CreateFolder(const std::string& path, std::string& reason) {
    if (path.empty()) {
        reason = "the folder has no name";
        return false;
    }
    if (CreateFolder(path))
        return true;
#ifdef _WIN32
    reason = SystemMessage(GetLastError());
#else
    reason = FileError::ReasonOf(errno);
#endif
    return false;
}

} // namespace lyricast
