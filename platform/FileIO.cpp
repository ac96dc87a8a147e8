#include "platform/FileIO.h"

#include "platform/ReadableFile.h"
#include "platform/ReplacingFile.h"

#include <new>

namespace lyricast {

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    ReadWholeFileInto(path, bytes);
    return bytes;
}

void ReadWholeFileInto(const std::string& path, std::vector<std::uint8_t>& bytes,
                       std::size_t room) {
    const ReadableFile file(path);
    if (file.size() > kMaxWholeFileBytes)
        throw std::bad_alloc();
    // The size is only a hint: read until the end, whatever the file does
    // meanwhile; room for one byte more than the size shows whether it grew.
    // A read that brings at least the size and leaves that byte empty met
    // the end, so the usual file takes a single read.
    const auto size = static_cast<std::size_t>(file.size());
    bytes.resize(size + 1 + room);
    std::size_t used = 0;
    for (;;) {
        const std::size_t got = file.ReadSomeAt(used, std::span(bytes).subspan(used));
        used += got;
        if (got == 0 || (used >= size && used < bytes.size()))
            break;
        if (used < bytes.size())
            continue;
        if (bytes.size() > kMaxWholeFileBytes)
            throw std::bad_alloc();
        bytes.resize(bytes.size() * 2);
    }
    bytes.resize(used);
}

void WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes) {
    ReplacingFile file(path);
    file.Write(bytes);
    file.Commit();
}

} // namespace lyricast
