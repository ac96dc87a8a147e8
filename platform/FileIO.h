#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lyricast {

// Reads a whole file into memory. Raises FileError "Cannot open file" when it
// cannot be opened or read (also when the path names a folder).
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// Replaces the file at `path` with `bytes`, or leaves it untouched: the bytes
// go to a new file in the same folder, which is renamed over the target only
// once every byte is written and the file is closed. Raises FileError
// "Cannot create file" or "Cannot write file" and leaves no file behind.
void WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace lyricast
