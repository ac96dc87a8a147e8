#pragma once

#include "engine/EventOrder.h"
#include "engine/SmfTrack.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace lyricast {

class TimeQueue;
class TSmfFile;

// Writes a song as a format-0 Standard MIDI File with one track that merges
// every track record by time. The bytes are collected in memory, so the track
// length is patched in place and nothing reaches a file before the whole song
// is known to be writable.
class SmfWriter {
public:
    static constexpr std::uint32_t kMaxVarLen = 0x0FFFFFFF;

    // The bytes written so far; the writer is empty afterwards.
    std::vector<std::uint8_t> Take();
    std::span<const std::uint8_t> Written() const { return {bytes_.data(), used_}; }
    // Writes from the start again, in the memory it has.
    void Rewind() { used_ = 0; }

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

    // Where the next byte goes and where the room ends, held in a local
    // while events are written: stores through a byte pointer may alias
    // anything, and would otherwise force the writer's members and the
    // event's fields to be read again after every byte.
    struct Output {
        std::uint8_t* at;
        std::uint8_t* limit;
    };
    Output Open() { return {bytes_.data() + used_, bytes_.data() + bytes_.size()}; }
    void Close(const Output& out) { used_ = static_cast<std::size_t>(out.at - bytes_.data()); }

    bool WriteInOrder();
    bool WriteByQueue(const TSmfFile& song);
    bool WriteChannelEvent(std::uint32_t time, std::uint8_t status, std::uint8_t data1,
                           std::uint8_t data2, std::uint32_t& lastWritten, Output& out);
    bool WriteCarried(const SmfEvent& event, std::uint32_t& lastWritten, Output& out);
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
    EventOrder order_;
};

} // namespace lyricast
