#include "platform/FileIO.h"

#include "platform/FileError.h"
#include "platform/PathRules.h"
#include "platform/ReadableFile.h"
#include "platform/TemporaryFile.h"

#include <algorithm>
#include <cerrno>
#include <new>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace lyricast {
namespace {

// 0, or the errno of the write that failed.
int WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 30));
        const auto written = ::write(fd, bytes.data(), chunk);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        if (written == 0)
            return EIO;
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return 0;
}

// The folder part of a path with its closing separator; empty for a bare name.
std::string FolderPartOf(const std::string& path) {
    const auto end = PathRules::Native().LastFolderEnd(path);
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

} // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    ReadWholeFileInto(path, bytes);
    return bytes;
}

void ReadWholeFileInto(const std::string& path, std::vector<std::uint8_t>& bytes) {
    const ReadableFile file(path);
    if (file.size() > kMaxWholeFileBytes)
        throw std::bad_alloc();
    // The size is only a hint: read until the end, whatever the file does
    // meanwhile; room for one byte more than the size shows whether it grew.
    // A read that brings at least the size and leaves that byte empty met
    // the end, so the usual file takes a single read.
    const auto size = static_cast<std::size_t>(file.size());
    bytes.resize(size + 1);
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
    TemporaryFile temporary(FolderPartOf(path), path);
    if (const int error = WriteAll(temporary.descriptor(), bytes))
        throw FileError::CannotWrite(path, FileError::ReasonOf(error));
    if (!temporary.Close())
        throw FileError::CannotWrite(path, FileError::ReasonOf(errno));
    if (!temporary.RenameTo(path))
        throw FileError::CannotCreate(path, FileError::ReasonOf(errno));
}

} // namespace lyricast
