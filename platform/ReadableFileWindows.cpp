#include "platform/ReadableFile.h"

#include "platform/FileError.h"
#include "platform/FolderListing.h"
#include "platform/SystemPathWindows.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace lyricast {

// Opening a file on Windows never waits, so only the kind of file is checked.
ReadableFile::ReadableFile(const std::string& path) : path_(path) {
    // Windows refuses to open a folder as a file, with "access denied".
    if (IsFolder(path))
        throw FileError::CannotOpen(path, kNotRegularFile);
    const auto wide = SystemPath(path);
    descriptor_ = wide ? ::_wopen(wide->c_str(), _O_RDONLY | _O_BINARY) : -1;
    if (descriptor_ < 0)
        throw FileError::CannotOpen(path, FileError::ReasonOf(errno));
    struct _stati64 info {};
    if (::_fstati64(descriptor_, &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
        ::_close(descriptor_);
        throw FileError::CannotOpen(path, kNotRegularFile);
    }
    size_ = static_cast<std::uint64_t>(info.st_size);
}

ReadableFile::~ReadableFile() {
    ::_close(descriptor_);
}

// One reader per file at a time, so seeking before reading is as good as pread.
std::size_t ReadableFile::ReadSomeAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
    if (::_lseeki64(descriptor_, static_cast<__int64>(offset), SEEK_SET) < 0)
        throw FileError::CannotOpen(path_, FileError::ReasonOf(errno));
    const auto chunk = static_cast<unsigned>(std::min<std::size_t>(out.size(), 1u << 30));
    const int got = ::_read(descriptor_, out.data(), chunk);
    if (got < 0)
        throw FileError::CannotOpen(path_, FileError::ReasonOf(errno));
    return static_cast<std::size_t>(got);
}

} // namespace lyricast
