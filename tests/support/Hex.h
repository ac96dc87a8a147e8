#pragma once

#include <cctype>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace lyricast::test {

// Bytes from readable hex: pairs of hex digits separated by spaces or new
// lines, with "#" starting a comment up to the end of the line.
//   Hex("4d 54 68 64  # MThd")
inline std::vector<std::uint8_t> Hex(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    int pending = -1;
    bool comment = false;
    for (char c : text) {
        if (c == '\n')
            comment = false;
        if (comment || std::isspace(static_cast<unsigned char>(c)))
            continue;
        if (c == '#') {
            comment = true;
            continue;
        }
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            throw std::invalid_argument("not hex");
        const int digit =
            std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(c) - 'a' + 10;
        if (pending < 0) {
            pending = digit;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(pending << 4 | digit));
            pending = -1;
        }
    }
    if (pending >= 0)
        throw std::invalid_argument("odd number of hex digits");
    return bytes;
}

// Concatenation, for building files from named parts.
inline std::vector<std::uint8_t> operator+(std::vector<std::uint8_t> a,
                                           const std::vector<std::uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace lyricast::test
