#pragma once

#include <cstdint>
#include <span>

namespace lyricast {

inline constexpr std::uint8_t kSysexStatus = 0xF0;
// An escape: a count and that many bytes, kept and written as a sysex is.
inline constexpr std::uint8_t kEscapeStatus = 0xF7;
inline constexpr std::uint8_t kMetaStatus = 0xFF;
inline constexpr std::uint8_t kMetaText = 0x01;
inline constexpr std::uint8_t kMetaTrackName = 0x03;
inline constexpr std::uint8_t kMetaLyric = 0x05;
inline constexpr std::uint8_t kMetaEndOfTrack = 0x2F;

inline bool IsChannelStatus(std::uint8_t status) {
    return status >= 0x80 && status <= 0xEF;
}
// Program change and channel pressure carry one data byte, every other channel message two.
inline bool HasSecondDataByte(std::uint8_t status) {
    return status < 0xC0 || status >= 0xE0;
}
// A system-exclusive event or an escape: a status, a count and the bytes.
inline bool IsSysexStatus(std::uint8_t status) {
    return status == kSysexStatus || status == kEscapeStatus;
}

// One event of a song as its reader sees it, at an absolute time in ticks:
//  channel event: data1 and data2 are its data bytes (data2 0 for one);
//  system exclusive or escape: body holds the bytes after the count;
//  meta: data1 is the type, body the bytes after the length.
// It points into the song, and is good until the song changes.
struct SmfEvent {
    std::uint32_t time = 0;
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    std::span<const std::uint8_t> body;

    bool IsMeta(std::uint8_t type) const { return status == kMetaStatus && data1 == type; }
    bool IsEndOfTrack() const { return IsMeta(kMetaEndOfTrack); }
};

} // namespace lyricast
