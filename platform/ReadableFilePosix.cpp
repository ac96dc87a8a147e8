#include "platform/ReadableFile.h"

#include "platform/FileError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lyricast {

ReadableFile::ReadableFile(const std::string& path) : path_(path) {
    // Without O_NONBLOCK a named pipe would hold the open until a writer came.
    descriptor_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor_ < 0)
        throw FileError::CannotOpen(path, FileError::ReasonOf(errno));
    struct stat info {};
    if (::fstat(descriptor_, &info) != 0) {
        const int error = errno;
        ::close(descriptor_);
        throw FileError::CannotOpen(path, FileError::ReasonOf(error));
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(descriptor_);
        throw FileError::CannotOpen(path, kNotRegularFile);
    }
    size_ = static_cast<std::uint64_t>(info.st_size);
}

ReadableFile::~ReadableFile() {
    ::close(descriptor_);
}

std::size_t ReadableFile::ReadSomeAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
    for (;;) {
        const auto got = ::pread(descriptor_, out.data(), out.size(), static_cast<off_t>(offset));
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR)
            throw FileError::CannotOpen(path_, FileError::ReasonOf(errno));
    }
}

} // namespace lyricast
