#pragma once

#include "engine/TSmfFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace lyricast::test {

// One event as "time: bytes", the bytes in file form without lengths:
//   "96: 80 3c 40", "0: ff 01 48 69" (meta type and data), "0: f0 7e 7f f7",
//   "0: f7 41 42" (an escape and its bytes).
inline std::string Describe(const SmfEvent& event) {
    std::string text = std::to_string(event.time) + ":";
    auto add = [&text](std::uint8_t b) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02x", b);
        text += hex;
    };
    add(event.status);
    if (event.status == kMetaStatus || IsChannelStatus(event.status))
        add(event.data1);
    if (IsChannelStatus(event.status) && HasSecondDataByte(event.status))
        add(event.data2);
    for (std::uint8_t b : event.body)
        add(b);
    return text;
}

// The events of one track record, its End of Track last.
inline std::vector<std::string> Events(const TSmfFile& song, std::size_t track) {
    std::vector<std::string> events;
    for (const SmfEvent& event : song.EventsOf(track))
        events.push_back(Describe(event));
    return events;
}

using Lines = std::vector<std::string>;

// A song loaded whole from an image that must load.
inline TSmfFile Loaded(std::span<const std::uint8_t> image) {
    TSmfFile song;
    EXPECT_TRUE(song.LoadFileImage(image));
    return song;
}

} // namespace lyricast::test
