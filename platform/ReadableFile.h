#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace lyricast {

// A file opened for reading. Opening never waits (not on a named pipe, not on
// a device), and only a regular file is kept: whatever else the path names is
// refused as it is opened, as the descriptor itself says what it is.
// Every reader of the program opens its files this way.
class ReadableFile {
public:
    // Raises FileError "Cannot open file" with the system's reason, or with
    // kNotRegularFile for anything but a regular file.
    explicit ReadableFile(const std::string& path);
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;
    ~ReadableFile();

    // The size when the file was opened.
    std::uint64_t size() const { return size_; }

    // Reads up to out.size() bytes at `offset` and returns how many it read:
    // fewer only where the file ends. Raises FileError "Cannot open file" when
    // the system fails to read.
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const;

    // One read of up to out.size() bytes at `offset`: fewer where the file
    // ends, and 0 only there. Raises as ReadAt does.
    std::size_t ReadSomeAt(std::uint64_t offset, std::span<std::uint8_t> out) const;

private:
    std::string path_;
    int descriptor_ = -1;
    std::uint64_t size_ = 0;
};

} // namespace lyricast
