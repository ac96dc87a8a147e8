#pragma once

#include "engine/ByteArena.h"
#include "engine/EventBlock.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace lyricast {

// The memory of one song's events, kept from song to song: blocks of events
// all of one size, which any track can take, and one arena for the events'
// bytes. A song reused for file after file stops allocating once it has held
// the largest, and holds no more than the largest needed.
class EventPool {
public:
    static constexpr std::size_t kBlockEvents = 256;

    EventBlock Take() {
        if (spare_.empty())
            return EventBlock(kBlockEvents);
        EventBlock block = std::move(spare_.back());
        spare_.pop_back();
        return block;
    }

    void Give(std::vector<EventBlock>& blocks) {
        for (EventBlock& block : blocks)
            spare_.push_back(std::move(block));
        blocks.clear();
    }

    ByteArena& bytes() { return bytes_; }

private:
    std::vector<EventBlock> spare_;
    ByteArena bytes_;
};

} // namespace lyricast
