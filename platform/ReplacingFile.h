#pragma once

#include "platform/TemporaryFile.h"

#include <cstdint>
#include <span>
#include <string>

namespace lyricast {

// A file that takes the place of the one at a path only once it is whole:
// its bytes go to a TemporaryFile in the same folder, which Commit renames
// over the target. Destroyed before that, it leaves the target as it was
// and no file behind. Every error is raised as FileError with the system's
// reason.
class ReplacingFile {
public:
    // Raises "Cannot create file".
    explicit ReplacingFile(const std::string& path);

    // Adds the bytes at the end. Raises "Cannot write file".
    void Write(std::span<const std::uint8_t> bytes);
    // Writes over bytes already written at `offset`. Raises "Cannot write file".
    void WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    // Closes the file and renames it over the target. Raises "Cannot write
    // file" when the close reports a late write error, "Cannot create file"
    // when the rename fails.
    void Commit();

private:
    std::string path_;
    TemporaryFile temporary_;
    std::uint64_t size_ = 0;
};

} // namespace lyricast
