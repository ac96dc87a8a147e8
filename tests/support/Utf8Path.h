#pragma once

#include <filesystem>
#include <string>

namespace lyricast::test {

// The program's paths are UTF-8 on every platform (bytes as the system gave
// them elsewhere); std::filesystem reads a plain string in the code page on
// Windows. These convert between the two.
inline std::filesystem::path FsPath(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

inline std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace lyricast::test
