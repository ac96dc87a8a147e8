#pragma once

#include "engine/SmfEvent.h"

#include <cstddef>
#include <memory>
#include <utility>

namespace lyricast {

// Room for a number of events that never move once made. An event is built
// only when it is added, so the block costs one pass over its memory, and
// only the events made are destroyed with it.
class EventBlock {
public:
    explicit EventBlock(std::size_t capacity)
        : events_(std::allocator<SmfEvent>().allocate(capacity)), capacity_(capacity) {}
    EventBlock(const EventBlock&) = delete;
    EventBlock& operator=(const EventBlock&) = delete;
    EventBlock(EventBlock&& other) noexcept
        : events_(std::exchange(other.events_, nullptr)), capacity_(other.capacity_),
          used_(std::exchange(other.used_, 0)) {}
    EventBlock& operator=(EventBlock&&) = delete;
    ~EventBlock() {
        if (events_ == nullptr) return;
        std::destroy_n(events_, used_);
        std::allocator<SmfEvent>().deallocate(events_, capacity_);
    }

    std::size_t capacity() const { return capacity_; }
    bool full() const { return used_ == capacity_; }
    SmfEvent& Add() { return *std::construct_at(events_ + used_++); }

private:
    SmfEvent* events_;
    std::size_t capacity_;
    std::size_t used_ = 0;
};

} // namespace lyricast
