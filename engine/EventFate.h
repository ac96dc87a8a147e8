#pragma once

#include "engine/SmfEvent.h"

namespace lyricast {

// What an event contributes to the merged track.
enum class EventFate { Written, Skipped, EndsList };

// Channel events, nearly all of a song, are told first.
inline EventFate FateOf(const SmfEvent& event) {
    if (IsChannelStatus(event.status) || IsSysexStatus(event.status))
        return EventFate::Written;
    if (event.status < 0x80)
        return EventFate::Skipped;
    if (event.status == kMetaStatus && !event.IsEndOfTrack())
        return EventFate::Written;
    return EventFate::EndsList; // End of Track, and F1-F6, F8-FE
}

} // namespace lyricast
