#pragma once

#include "support/Hex.h"

#include <cstddef>
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

// Songs that take a reader's memory to its limits, of about `bytes` bytes.
// The densest events a file can hold: two bytes each (a delta time and one
// data byte under running status), of one channel.
inline Bytes DenseSong(std::size_t bytes, std::uint16_t format = 1) {
    Bytes events = Hex("00 c0 05");
    events.reserve(bytes);
    while (events.size() + 4 < bytes - 22)
        events.insert(events.end(), {0x00, 0x05});
    events = events + Hex("00 ff 2f 00");
    return Header(format, 1) + Track(events);
}

// A format-0 song whose events go to every channel in turn: three bytes each.
inline Bytes SongOverEveryChannel(std::size_t bytes) {
    Bytes events;
    events.reserve(bytes);
    for (std::uint8_t i = 0; events.size() + 7 < bytes - 22; ++i)
        events.insert(events.end(), {0x00, static_cast<std::uint8_t>(0xC0 | (i & 0x0F)),
                                     static_cast<std::uint8_t>(i & 0x7F)});
    events = events + Hex("00 ff 2f 00");
    return Header(0, 1) + Track(events);
}

// As many track chunks as a header can announce, each with one note.
inline Bytes SongOfMostTracks() {
    const Bytes chunk = Track("00 90 3c 64  00 80 3c 40  00 ff 2f 00");
    Bytes file = Header(1, UINT16_MAX);
    file.reserve(file.size() + chunk.size() * UINT16_MAX);
    for (int i = 0; i < UINT16_MAX; ++i)
        file.insert(file.end(), chunk.begin(), chunk.end());
    return file;
}

// One track of `count` text events of one letter.
inline Bytes SongOfTexts(std::size_t count) {
    Bytes events;
    events.reserve(count * 5 + 4);
    for (std::size_t i = 0; i < count; ++i)
        events.insert(events.end(), {0x00, 0xFF, 0x01, 0x01, 'a'});
    return Smf(1, {Track(events + Hex("00 ff 2f 00"))});
}

// A system-exclusive event of `size` bytes at delta 0, its count in four bytes.
inline Bytes SysexEvent(std::uint32_t size) {
    Bytes event = Hex("00 f0");
    for (int shift = 21; shift > 0; shift -= 7)
        event.push_back(static_cast<std::uint8_t>(0x80 | (size >> shift & 0x7F)));
    event.push_back(static_cast<std::uint8_t>(size & 0x7F));
    event.resize(event.size() + size, 0x7E);
    return event;
}

// One system-exclusive event of `size` bytes.
inline Bytes SongOfOneSysex(std::uint32_t size) {
    return Smf(1, {Track(SysexEvent(size) + Hex("00 ff 2f 00"))});
}

} // namespace lyricast::test
