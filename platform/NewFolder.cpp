#include "platform/NewFolder.h"

#ifdef _WIN32
#include "platform/SystemPathWindows.h"

#include <windows.h>
#else
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

} // namespace lyricast
