#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace lyricast {

// When a file's bytes last changed, in the system's own units: only ever
// compared with another time of the same system.
struct ModifiedTime {
    std::int64_t ticks = 0;
    auto operator<=>(const ModifiedTime&) const = default;
};

// Nothing when the path leads nowhere.
std::optional<ModifiedTime> ModifiedTimeOf(const std::string& path);

} // namespace lyricast
