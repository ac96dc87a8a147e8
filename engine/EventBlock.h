#pragma once

#include "engine/SmfEvent.h"

#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>

namespace lyricast {

// Room for a number of events that never move once made. An event is built
// only when it is added, so the block costs one pass over its memory. Events
// own nothing (their bytes live in the song's arena), so the block is
// emptied for the next song without touching them; its track knows how many
// it holds.
class EventBlock {
public:
    static_assert(std::is_trivially_destructible_v<SmfEvent>);

    explicit EventBlock(std::size_t capacity)
        : events_(std::allocator<SmfEvent>().allocate(capacity)), capacity_(capacity) {}
    EventBlock(const EventBlock&) = delete;
    EventBlock& operator=(const EventBlock&) = delete;
    EventBlock(EventBlock&& other) noexcept
        : events_(std::exchange(other.events_, nullptr)), capacity_(other.capacity_) {}
    EventBlock& operator=(EventBlock&&) = delete;
    ~EventBlock() {
        if (events_ != nullptr)
            std::allocator<SmfEvent>().deallocate(events_, capacity_);
    }

    std::size_t capacity() const { return capacity_; }
    SmfEvent* begin() const { return events_; }
    SmfEvent* limit() const { return events_ + capacity_; }

private:
    SmfEvent* events_;
    std::size_t capacity_;
};

} // namespace lyricast
