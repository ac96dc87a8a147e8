#pragma once

#include "engine/SmfEvent.h"

#include <deque>
#include <string>

namespace lyricast {

// One track record: a doubly linked list of events in the order appended.
// The record owns its events; they live in a store whose addresses never move
// and that is released without walking the links, so no list can leak or
// exhaust the stack however long it is.
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

    SmfEvent& Append(SmfEvent&& event) {
        SmfEvent& added = store_.emplace_back(std::move(event));
        added.next = nullptr;
        added.prev = cursor;
        if (cursor != nullptr)
            cursor->next = &added;
        else
            firstEvent = &added;
        cursor = &added;
        return added;
    }

private:
    std::deque<SmfEvent> store_;
};

} // namespace lyricast
