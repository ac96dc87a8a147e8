#include "platform/FileSize.h"

#include <windows.h>

namespace lyricast {

std::optional<std::uint64_t> FileSizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &info))
        return std::nullopt;
    return std::uint64_t{info.nFileSizeHigh} << 32 | info.nFileSizeLow;
}

} // namespace lyricast
