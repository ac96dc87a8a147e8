#pragma once

#include "engine/EventBlock.h"
#include "engine/SmfEvent.h"

#include <algorithm>
#include <string>
#include <vector>

namespace lyricast {

// One track record: a doubly linked list of events in the order appended.
// The record owns its events; they live in blocks whose addresses never move
// and that are released without walking the links, so no list can leak or
// exhaust the stack however long it is. Blocks grow as the list does, so a
// long list takes few allocations and its events lie close together.
class SmfTrack {
public:
    static constexpr std::size_t kMaxNameLength = 127;

    SmfEvent* firstEvent = nullptr;
    SmfEvent* cursor = nullptr;   // the last event appended
    std::string name;             // the first track name filed here; never an event

    SmfTrack() = default;
    SmfTrack(const SmfTrack&) = delete;
    SmfTrack& operator=(const SmfTrack&) = delete;
    SmfTrack(SmfTrack&&) noexcept = default;
    SmfTrack& operator=(SmfTrack&&) noexcept = default;

    bool empty() const { return firstEvent == nullptr; }

    // A new, blank event linked in after the last one.
    SmfEvent& Append() {
        if (blocks_.empty() || blocks_.back().full())
            blocks_.emplace_back(blocks_.empty() ? kFirstBlock : std::min(blocks_.back().capacity() * 2, kLargestBlock));
        SmfEvent& added = blocks_.back().Add();
        added.prev = cursor;
        if (cursor != nullptr)
            cursor->next = &added;
        else
            firstEvent = &added;
        cursor = &added;
        return added;
    }

private:
    static constexpr std::size_t kFirstBlock = 16;
    static constexpr std::size_t kLargestBlock = 4096;

    std::vector<EventBlock> blocks_;
};

} // namespace lyricast
