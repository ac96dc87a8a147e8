#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lyricast {

// The largest file read whole: no song comes near it, and a file beyond it
// is refused as one that does not fit in memory.
inline constexpr std::uint64_t kMaxWholeFileBytes = std::uint64_t{1} << 30;

// Reads a whole regular file into memory. Raises FileError "Cannot open file"
// with the system's reason when it cannot be opened or read, and with
// kNotRegularFile for a folder, a named pipe or a device. Raises
// std::bad_alloc when the memory cannot be had or the file is larger than
// kMaxWholeFileBytes.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// The same into `bytes`, whose capacity is reused: a caller reading file
// after file into one buffer allocates only when a file is larger than any
// before. Room for `room` bytes more is left after the file's (unless the
// file grew while it was read), so that bytes added there move nothing. On
// an error `bytes` holds nothing of use.
void ReadWholeFileInto(const std::string& path, std::vector<std::uint8_t>& bytes,
                       std::size_t room = 0);

// Replaces the file at `path` with `bytes`, or leaves it untouched: the bytes
// go to a new file in the same folder (a ReplacingFile), which is renamed
// over the target only once every byte is written and the file is closed.
// Raises FileError "Cannot create file" or "Cannot write file" with the
// system's reason and leaves no file behind.
void WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace lyricast
