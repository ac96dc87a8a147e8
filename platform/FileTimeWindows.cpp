#include "platform/FileTime.h"

#include "platform/SystemPathWindows.h"

#include <windows.h>

namespace lyricast {

// In the system's units of 100 nanoseconds.
std::optional<ModifiedTime> ModifiedTimeOf(const std::string& path) {
    const auto wide = SystemPath(path);
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!wide || !GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &info))
        return std::nullopt;
    const FILETIME& written = info.ftLastWriteTime;
    return ModifiedTime{static_cast<std::int64_t>(std::uint64_t{written.dwHighDateTime} << 32 |
                                                  written.dwLowDateTime)};
}

} // namespace lyricast
