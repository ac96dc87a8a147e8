#pragma once

#include <string_view>

namespace lyricast {

// The case of the ASCII letters only: a byte of a multi-byte character or of
// another code page's letter is left as it is, since it cannot be changed on
// its own. Paths are compared and drive letters cased this way.
constexpr char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The same bytes but for the case of their ASCII letters.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace lyricast
