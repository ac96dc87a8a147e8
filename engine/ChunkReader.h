#pragma once

#include "engine/ByteCursor.h"

#include <cstddef>
#include <cstdint>

namespace lyricast {

// Where the reading of one track chunk stands: its unread bytes, the time
// of its next event and its running status.
struct ChunkReader {
    static constexpr std::uint32_t kFinished = 0xFFFFFFFF;

    ByteCursor bytes;
    std::size_t start; // where the chunk's bytes start in the song's bytes
    std::uint32_t nextTime = 0;
    std::uint8_t runningStatus = 0xFF;
    bool finished = false;
    bool cut = false; // its bytes ended inside an event, which was passed over

    // Where the next unread byte lies in the song's bytes.
    std::uint32_t Offset() const { return static_cast<std::uint32_t>(start + bytes.position()); }

    // The chunk has finished; false, for its reader to stop.
    bool Finish() {
        finished = true;
        nextTime = kFinished;
        return false;
    }

    // The chunk's bytes end inside an event; false, for its reader to stop.
    bool Cut() {
        cut = true;
        return Finish();
    }

    // Adds the chunk's next delta time to nextTime; a chunk whose bytes end
    // first is finished.
    bool ReadDeltaTime() {
        const auto delta = bytes.vlq();
        if (!delta)
            return bytes.remaining() > 0 ? Cut() : Finish();
        nextTime += *delta;
        return true;
    }
};

} // namespace lyricast
