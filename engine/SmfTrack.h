#pragma once

#include "engine/SmfEvent.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace lyricast {

// The per-channel record that an event of a split song belongs to: its
// channel's, and record 0 for an event without a channel.
inline std::uint8_t ChannelRecordOf(std::uint8_t status) {
    return IsChannelStatus(status) ? status & 0x0F : 0;
}

// One track record of a song: which of the song's events are its own, its
// name, and its End of Track. A record of a file's track chunk owns the run
// of events read from that chunk. A per-channel record of a split song owns,
// within its run, the events of its channel; record 0 also every event that
// has none. End of Track events are not among the events: a record keeps
// the time of the one that closes it.
class SmfTrack {
public:
    static constexpr std::size_t kMaxNameLength = 127;
    // A record that owns every event of its run.
    static constexpr std::uint8_t kWholeRun = 0xFF;

    bool empty() const { return first_ == end_ && !closed_; }
    bool closed() const { return closed_; }
    std::uint32_t endTime() const { return endTime_; }
    std::uint32_t first() const { return first_; }
    std::uint32_t end() const { return end_; }
    std::uint8_t channel() const { return channel_; }
    bool ownsEveryEvent() const { return channel_ == kWholeRun; }

    // Whether an event with this status in the run is this record's.
    bool Owns(std::uint8_t status) const {
        if (channel_ == kWholeRun)
            return true;
        return ChannelRecordOf(status) == channel_;
    }

    bool named() const { return nameLength_ > 0; }
    std::uint32_t nameAt() const { return nameAt_; }
    std::uint8_t nameLength() const { return nameLength_; }

    void SetRun(std::uint32_t first, std::uint32_t end) {
        first_ = first;
        end_ = end;
    }
    void SetChannel(std::uint8_t channel) { channel_ = channel; }
    void Close(std::uint32_t time) {
        closed_ = true;
        endTime_ = time;
    }
    void Name(std::uint32_t at, std::uint8_t length) {
        nameAt_ = at;
        nameLength_ = length;
    }

private:
    std::uint32_t first_ = 0; // the run: events first_ to end_ - 1 of the song
    std::uint32_t end_ = 0;
    std::uint32_t endTime_ = 0;
    std::uint32_t nameAt_ = 0; // the name: bytes of the song's, at nameAt_
    std::uint8_t nameLength_ = 0;
    std::uint8_t channel_ = kWholeRun;
    bool closed_ = false;
};

// How much of a name event's text a name holds: up to its first NUL, and at
// most kMaxNameLength bytes.
inline std::size_t NameLengthOf(std::span<const std::uint8_t> text) {
    const auto end = std::find(text.begin(), text.end(), std::uint8_t{0});
    return std::min<std::size_t>(static_cast<std::size_t>(end - text.begin()),
                                 SmfTrack::kMaxNameLength);
}

} // namespace lyricast
