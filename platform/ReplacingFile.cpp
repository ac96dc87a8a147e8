#include "platform/ReplacingFile.h"

#include "platform/FileError.h"
#include "platform/PathRules.h"

#include <algorithm>
#include <cerrno>

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

// Moves the file position; false with errno set when it cannot.
bool Seek(int fd, std::uint64_t offset) {
#ifdef _WIN32
    return ::_lseeki64(fd, static_cast<long long>(offset), SEEK_SET) >= 0;
#else
    return ::lseek(fd, static_cast<off_t>(offset), SEEK_SET) >= 0;
#endif
}

// The folder part of a path with its closing separator; empty for a bare name.
std::string FolderPartOf(const std::string& path) {
    const auto end = PathRules::Native().LastFolderEnd(path);
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

} // namespace

ReplacingFile::ReplacingFile(const std::string& path)
    : path_(path), temporary_(FolderPartOf(path), path) {}

void ReplacingFile::Write(std::span<const std::uint8_t> bytes) {
    if (const int error = WriteAll(temporary_.descriptor(), bytes))
        throw FileError::CannotWrite(path_, FileError::ReasonOf(error));
    size_ += bytes.size();
}

void ReplacingFile::WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    const int fd = temporary_.descriptor();
    int error = Seek(fd, offset) ? WriteAll(fd, bytes) : errno;
    if (error == 0 && !Seek(fd, size_))
        error = errno;
    if (error != 0)
        throw FileError::CannotWrite(path_, FileError::ReasonOf(error));
}

void ReplacingFile::Commit() {
    if (!temporary_.Close())
        throw FileError::CannotWrite(path_, FileError::ReasonOf(errno));
    if (!temporary_.RenameTo(path_))
        throw FileError::CannotCreate(path_, FileError::ReasonOf(errno));
}

} // namespace lyricast
