#include "platform/FileTime.h"

#include <windows.h>

namespace lyricast {

// In the system's units of 100 nanoseconds.
std::optional<ModifiedTime> ModifiedTimeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &info))
        return std::nullopt;
    const FILETIME& written = info.ftLastWriteTime;
    return ModifiedTime{static_cast<std::int64_t>(std::uint64_t{written.dwHighDateTime} << 32 |
                                                  written.dwLowDateTime)};
}

} // namespace lyricast
