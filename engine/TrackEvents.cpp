#include "engine/TrackEvents.h"

namespace lyricast {

SmfEvent TrackEvents::Iterator::operator*() const {
    if (at_ == track_->end())
        return {track_->endTime(), kMetaStatus, kMetaEndOfTrack, 0, {}};
    return events_->At(at_);
}

TrackEvents::Iterator& TrackEvents::Iterator::operator++() {
    ++at_;
    SkipOthers();
    return *this;
}

void TrackEvents::Iterator::SkipOthers() {
    while (at_ < track_->end() && !track_->Owns(events_->status(at_)))
        ++at_;
    if (at_ == track_->end() && !track_->closed())
        ++at_;
}

TrackEvents::Iterator TrackEvents::begin() const {
    Iterator first(events_, track_, track_->first());
    first.SkipOthers();
    return first;
}

TrackEvents::Iterator TrackEvents::end() const {
    return {events_, track_, std::size_t{track_->end()} + 1};
}

} // namespace lyricast
