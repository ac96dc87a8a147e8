#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lyricast {

// The size of the file at `path` (followed through links); nothing when
// there is none to be had.
std::optional<std::uint64_t> FileSizeOf(const std::string& path);

} // namespace lyricast
