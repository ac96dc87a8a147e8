#pragma once

#include "engine/TSmfFile.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace lyricast {

class TimeQueue;

// Writes a song as a format-0 Standard MIDI File with one track that merges
// every track record by time. The bytes are collected in memory, so the track
// length is patched in place and nothing reaches a file before the whole song
// is known to be writable.
class SmfWriter {
public:
    static constexpr std::uint32_t kMaxVarLen = 0x0FFFFFFF;

    // Writes from the start of `room`, whose memory it reuses.
    explicit SmfWriter(std::vector<std::uint8_t> room = {});

    // The bytes written so far; the writer is empty afterwards.
    std::vector<std::uint8_t> Take();
    std::span<const std::uint8_t> Written() const { return {bytes_.data(), used_}; }
    // The memory to reuse, the bytes written first; the writer is empty afterwards.
    std::vector<std::uint8_t> Release();

    // 0 when the track was completed; -1 when a delta time does not fit in a
    // variable-length quantity.
    int WriteMergedTrack(const TSmfFile& song);
    void WriteHeaderChunk(std::uint16_t division);
    void WriteTrackChunkHeader();

    // The bytes written; 0, and nothing written, for a value above kMaxVarLen.
    int WriteVarLen(std::uint32_t value);
    int WriteByte(std::uint8_t b);
    int WriteWord(std::uint16_t value);
    int WriteLong(std::uint32_t value);
    int WriteTag(std::string_view text);

private:
    enum class Drained { UpToTime, Unwritable };
    struct ListPosition;

    Drained DrainList(ListPosition& position, const SmfTrack& track, const TimeQueue& lists,
                      std::uint32_t& lastWritten, std::uint64_t& nextKey);
    bool WriteEvent(std::uint32_t delta, const SmfEvent& event);
    void PatchLong(std::size_t offset, std::uint32_t value);
    // Room for `size` more bytes at the end of what is written; the caller
    // fills it and counts what it used. Growth is rare and geometric, so the
    // bytes of an event cost a few stores, not a call each.
    std::uint8_t* Room(std::size_t size) {
        if (bytes_.size() - used_ < size)
            Grow(size);
        return bytes_.data() + used_;
    }
    void Grow(std::size_t size);

    std::vector<std::uint8_t> bytes_;
    std::size_t used_ = 0;
};

} // namespace lyricast
