#include "platform/FileTime.h"

#include <sys/stat.h>

namespace lyricast {

std::optional<ModifiedTime> ModifiedTimeOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return ModifiedTime{std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec};
}

} // namespace lyricast
