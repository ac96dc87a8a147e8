#include "platform/ReadableFile.h"

namespace lyricast {

// A read may give fewer bytes than asked (a signal, a pipe-like file system):
// ask again until the span is full or the file ends.
std::size_t ReadableFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
    std::size_t used = 0;
    while (used < out.size()) {
        const std::size_t got = ReadSomeAt(offset + used, out.subspan(used));
        if (got == 0)
            break;
        used += got;
    }
    return used;
}

} // namespace lyricast
