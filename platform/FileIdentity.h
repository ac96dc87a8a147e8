#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lyricast {

// What makes a file or folder the same one whatever path leads to it.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t index = 0;
    auto operator<=>(const FileIdentity&) const = default;
};

// Nothing when the path leads nowhere.
std::optional<FileIdentity> IdentityOf(const std::string& path);

} // namespace lyricast
