#pragma once

#include "engine/EventBytes.h"

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

// One event of a track, at an absolute time in ticks.
//  channel event: channelOrSize is the channel, data1/data2 the data bytes;
//  system exclusive or escape: sysexData holds F0 or F7 and then every data byte;
//  meta: data1 is the type, metaData holds FF, the type, the data length's
//        low byte, and then every data byte.
// channelOrSize of a sysex or meta event is its buffer size kept in 8 bits, as
// the event was always described; the true length is the buffer's.
struct SmfEvent {
    std::uint32_t time = 0;
    std::uint8_t channelOrSize = 0;
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    EventBytes sysexData;
    EventBytes metaData;
    SmfEvent* next = nullptr;
    SmfEvent* prev = nullptr;

    static constexpr std::size_t kMetaHeaderSize = 3;

    bool IsMeta(std::uint8_t type) const { return status == kMetaStatus && data1 == type; }
    bool IsEndOfTrack() const { return IsMeta(kMetaEndOfTrack); }

    std::span<const std::uint8_t> MetaBody() const {
        if (metaData.size() < kMetaHeaderSize)
            return {};
        return metaData.span().subspan(kMetaHeaderSize);
    }
    std::span<std::uint8_t> MetaBody() {
        if (metaData.size() < kMetaHeaderSize)
            return {};
        return metaData.span().subspan(kMetaHeaderSize);
    }
    std::span<const std::uint8_t> SysexBody() const {
        if (sysexData.empty())
            return {};
        return sysexData.span().subspan(1);
    }
};

} // namespace lyricast
