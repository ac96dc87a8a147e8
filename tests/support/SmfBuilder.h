#pragma once

#include "support/Hex.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace lyricast::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Be32(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16),
            static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
}

inline Bytes Be16(std::uint16_t v) {
    return {static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
}

// An "MTrk" chunk around the given event bytes, its length taken from them.
inline Bytes Track(const Bytes& events) {
    return Hex("4d 54 72 6b") + Be32(static_cast<std::uint32_t>(events.size())) + events;
}
inline Bytes Track(std::string_view eventsHex) {
    return Track(Hex(eventsHex));
}

// A header chunk announcing `count` tracks.
inline Bytes Header(std::uint16_t format, std::uint16_t count, std::uint16_t division = 96) {
    return Hex("4d 54 68 64  00 00 00 06") + Be16(format) + Be16(count) + Be16(division);
}

// A whole file: the header announces exactly the tracks given.
inline Bytes Smf(std::uint16_t format, std::initializer_list<Bytes> tracks,
                 std::uint16_t division = 96) {
    Bytes file = Header(format, static_cast<std::uint16_t>(tracks.size()), division);
    for (const Bytes& t : tracks)
        file = file + t;
    return file;
}

} // namespace lyricast::test
