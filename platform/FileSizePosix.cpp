#include "platform/FileSize.h"

#include <sys/stat.h>

namespace lyricast {

std::optional<std::uint64_t> FileSizeOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

} // namespace lyricast
