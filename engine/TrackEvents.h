#pragma once

#include "engine/EventStore.h"
#include "engine/SmfTrack.h"

#include <cstddef>
#include <iterator>

namespace lyricast {

// The events of one track record in order, as views, ending with its End of
// Track when it has one.
class TrackEvents {
public:
    class Iterator {
    public:
        using value_type = SmfEvent;
        using difference_type = std::ptrdiff_t;

        Iterator() = default;
        SmfEvent operator*() const;
        Iterator& operator++();
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const { return at_ == other.at_; }

    private:
        friend class TrackEvents;
        Iterator(const EventStore* events, const SmfTrack* track, std::size_t at)
            : events_(events), track_(track), at_(at) {}
        void SkipOthers();

        const EventStore* events_ = nullptr;
        const SmfTrack* track_ = nullptr;
        std::size_t at_ = 0; // the run's end stands for the End of Track
    };

    TrackEvents(const EventStore& events, const SmfTrack& track)
        : events_(&events), track_(&track) {}

    Iterator begin() const;
    Iterator end() const;

private:
    const EventStore* events_;
    const SmfTrack* track_;
};

} // namespace lyricast
