#pragma once

#include "engine/EventOrder.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace lyricast {

class ByteSink;
class EventStore;
class TimeQueue;
class TSmfFile;

enum class [[nodiscard]] TrackResult{
    Written,
    NotWritable, // a delta time or a length does not fit in a variable-length quantity
};

// How the records are merged: by the sort wherever it gives the merge's
// order, else by the queue; or by the queue alone.
enum class MergeBy { Sort, Queue };

// Writes a song as a format-0 Standard MIDI File with one track that merges
// every track record by time. Given a sink, it hands the bytes on through a
// buffer of at most kBufferBytes, and only once the buffer is full or the
// track complete: a song whose bytes fit the buffer reaches the sink only
// once it is known to be writable. Without one it keeps every byte.
class SmfWriter {
public:
    static constexpr std::uint32_t kMaxVarLen = 0x0FFFFFFF;
    static constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

    TrackResult WriteMergedTrack(const TSmfFile& song, ByteSink* sink = nullptr,
                                 MergeBy merge = MergeBy::Sort);
    // The bytes kept, written without a sink; the writer is empty afterwards.
    std::vector<std::uint8_t> Take();

    // The bytes written: none for a value above kMaxVarLen.
    std::size_t WriteVarLen(std::uint32_t value);

    // Gives back memory beyond what a song keeps for the next file.
    void Trim() noexcept;

    // At least the most memory that saving a song of `events` events in
    // `records` track records takes, the buffer included.
    static std::uint64_t MemoryNeededFor(std::uint64_t events, std::uint64_t records);

private:
    enum class Drained { UpToTime, Unwritable };
    struct ListPosition;

    // Where the next byte of a run of events goes and where the room for it
    // ends; the run's bytes count as written once it is closed.
    struct Output {
        std::uint8_t* at;
        std::uint8_t* limit;
    };
    Output Open() { return {bytes_.data() + used_, bytes_.data() + bytes_.size()}; }
    void Close(const Output& out) { used_ = static_cast<std::size_t>(out.at - bytes_.data()); }

    void WriteHeaderChunk(std::uint16_t division);
    void WriteTrackChunkHeader();
    void WriteByte(std::uint8_t b);
    void WriteWord(std::uint16_t value);
    void WriteLong(std::uint32_t value);
    void WriteTag(std::string_view text);
    bool WriteEndOfTrack(std::uint32_t songEnd, std::uint32_t lastWritten);

    // Each leaves `lastWritten` at the time of the last event written.
    bool WriteInOrder(const EventStore& events, std::uint32_t& lastWritten);
    bool WriteByQueue(const TSmfFile& song, std::uint32_t& lastWritten);
    bool WriteChannelEvent(std::uint32_t time, std::uint8_t status, std::uint8_t data1,
                           std::uint8_t data2, std::uint32_t& lastWritten, Output& out);
    bool WriteStored(const EventStore& events, std::size_t i, std::uint32_t& lastWritten,
                     Output& out);
    bool WriteEvent(std::uint32_t delta, std::uint8_t status, std::uint8_t type,
                    std::span<const std::uint8_t> body);
    void WriteBody(std::span<const std::uint8_t> body);
    Drained DrainList(ListPosition& position, const EventStore& events, const TimeQueue& lists,
                      std::uint32_t& lastWritten, std::uint64_t& nextKey);
    void PatchTrackLength(std::uint32_t value);
    void Flush();

    // Room for `size` more bytes at the end of what is written; the caller
    // fills it and counts what it used.
    std::uint8_t* Room(std::size_t size) {
        if (bytes_.size() - used_ < size)
            MakeRoom(size);
        return bytes_.data() + used_;
    }
    void MakeRoom(std::size_t size);

    std::vector<std::uint8_t> bytes_;
    std::size_t used_ = 0;
    ByteSink* sink_ = nullptr;
    std::uint64_t handedOn_ = 0; // bytes already given to the sink
    EventOrder order_;
};

} // namespace lyricast
