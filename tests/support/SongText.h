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
    if (event.status == kMetaStatus) {
        add(kMetaStatus);
        add(event.data1);
        for (std::uint8_t b : event.MetaBody())
            add(b);
    } else if (IsSysexStatus(event.status)) {
        for (std::uint8_t b : event.sysexData)
            add(b);
    } else {
        add(event.status);
        add(event.data1);
        if (HasSecondDataByte(event.status))
            add(event.data2);
    }
    return text;
}

inline std::vector<std::string> Events(const SmfTrack& track) {
    std::vector<std::string> events;
    for (const SmfEvent* e = track.firstEvent; e != nullptr; e = e->next)
        events.push_back(Describe(*e));
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
