#include "platform/FileSize.h"

#include "platform/SystemPathWindows.h"

#include <windows.h>

namespace lyricast {

std::optional<std::uint64_t> FileSizeOf(const std::string& path) {
    const auto wide = SystemPath(path);
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!wide || !GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &info))
        return std::nullopt;
    return std::uint64_t{info.nFileSizeHigh} << 32 | info.nFileSizeLow;
}

} // namespace lyricast
