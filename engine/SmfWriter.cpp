#include "engine/SmfWriter.h"

#include "engine/ByteSink.h"
#include "engine/KeptMemory.h"
#include "engine/TSmfFile.h"
#include "engine/TimeQueue.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace lyricast {
namespace {

constexpr std::size_t kTrackLengthOffset = 18;

// Puts a quantity of two to four bytes at `out`; returns its size, or 0
// without writing anything for a value above kMaxVarLen, which would take a
// fifth byte.
[[gnu::noinline]] std::size_t PutLongVarLen(std::uint32_t value, std::uint8_t* out) {
    if (value > SmfWriter::kMaxVarLen)
        return 0;
    std::uint32_t buffer = value & 0x7F;
    while ((value >>= 7) > 0)
        buffer = (buffer << 8) | 0x80 | (value & 0x7F);
    std::size_t size = 0;
    for (;;) {
        out[size++] = static_cast<std::uint8_t>(buffer);
        if ((buffer & 0x80) == 0)
            return size;
        buffer >>= 8;
    }
}

// Puts a variable-length quantity at `out` (room for four bytes); returns its
// size, or 0 as PutLongVarLen. A value of one byte, nearly every delta time
// of a merged track, takes the short way.
inline std::size_t PutVarLen(std::uint32_t value, std::uint8_t* out) {
    if (value < 0x80) {
        *out = static_cast<std::uint8_t>(value);
        return 1;
    }
    return PutLongVarLen(value, out);
}

} // namespace

// Where the merge stands in one record: its next event still to be
// considered, and the end of its run. A per-channel record passes over the
// events of the other records in its run.
struct SmfWriter::ListPosition {
    std::size_t at;
    std::size_t end;
    const SmfTrack* record;

    // Moves to the record's next event; false at the end of its run.
    bool HasEvent(const EventStore& events) {
        if (!record->ownsEveryEvent())
            while (at < end && !record->Owns(events.status(at)))
                ++at;
        return at < end;
    }
};

// The buffer at its largest, and, while it last grows, the one before it;
// then either the sort's keys or the queue's positions and tree.
std::uint64_t SmfWriter::MemoryNeededFor(std::uint64_t events, std::uint64_t records) {
    const std::uint64_t buffer = kBufferBytes + kBufferBytes / 2;
    const std::uint64_t sort = EventOrder::MemoryNeededFor(events);
    const std::uint64_t queue = records * sizeof(ListPosition) + TimeQueue::MemoryFor(records);
    return buffer + std::max(sort, queue);
}

std::vector<std::uint8_t> SmfWriter::Take() {
    bytes_.resize(used_);
    used_ = 0;
    return std::move(bytes_);
}

void SmfWriter::Trim() noexcept {
    GiveBackLarge(bytes_);
    used_ = 0;
    order_.Trim();
}

// With a sink the buffer grows to kBufferBytes and is then handed on
// whenever it fills; without one it grows as the bytes need.
void SmfWriter::MakeRoom(std::size_t size) {
    constexpr std::size_t kFirstSize = 64 * 1024;
    if (sink_ != nullptr && used_ > 0 && used_ + size > kBufferBytes) {
        Flush();
        if (bytes_.size() >= size)
            return;
    }
    std::size_t grown = std::max({bytes_.size() * 2, used_ + size, kFirstSize});
    if (sink_ != nullptr)
        grown = std::min(grown, std::max(kBufferBytes, used_ + size));
    bytes_.resize(grown);
}

void SmfWriter::Flush() {
    sink_->Put(std::span(bytes_.data(), used_));
    handedOn_ += used_;
    used_ = 0;
}

void SmfWriter::WriteByte(std::uint8_t b) {
    *Room(1) = b;
    ++used_;
}

void SmfWriter::WriteWord(std::uint16_t value) {
    WriteByte(static_cast<std::uint8_t>(value >> 8));
    WriteByte(static_cast<std::uint8_t>(value));
}

void SmfWriter::WriteLong(std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        WriteByte(static_cast<std::uint8_t>(value >> shift));
}

void SmfWriter::WriteTag(std::string_view text) {
    for (char c : text)
        WriteByte(static_cast<std::uint8_t>(c));
}

std::size_t SmfWriter::WriteVarLen(std::uint32_t value) {
    const std::size_t size = PutVarLen(value, Room(4));
    used_ += size;
    return size;
}

void SmfWriter::WriteHeaderChunk(std::uint16_t division) {
    WriteTag("MThd");
    WriteLong(6);
    WriteWord(0); // format 0
    WriteWord(1); // one track
    WriteWord(division);
}

void SmfWriter::WriteTrackChunkHeader() {
    WriteTag("MTrk");
    WriteLong(0); // patched once the track is complete
}

// The merged track's own End of Track: at the song's end, or right after its
// last event where that is later. False, with nothing written, when the
// song's end lies further on than a delta time can say.
bool SmfWriter::WriteEndOfTrack(std::uint32_t songEnd, std::uint32_t lastWritten) {
    const std::uint32_t delta = songEnd > lastWritten ? songEnd - lastWritten : 0;
    if (delta > kMaxVarLen)
        return false;
    WriteVarLen(delta);
    WriteByte(kMetaStatus);
    WriteByte(kMetaEndOfTrack);
    WriteByte(0);
    return true;
}

// A body too large to be worth copying into the buffer goes to the sink as it is.
void SmfWriter::WriteBody(std::span<const std::uint8_t> body) {
    if (body.empty())
        return;
    if (sink_ != nullptr && body.size() > kBufferBytes / 2) {
        Flush();
        sink_->Put(body);
        handedOn_ += body.size();
        return;
    }
    std::memcpy(Room(body.size()), body.data(), body.size());
    used_ += body.size();
}

// A system-exclusive, escape or meta event: the delta time and the event's
// leading bytes, then its body. False, with nothing written, for a body
// longer than a length can say.
bool SmfWriter::WriteEvent(std::uint32_t delta, std::uint8_t status, std::uint8_t type,
                           std::span<const std::uint8_t> body) {
    constexpr std::size_t kLongestHead = 10; // delta, status, type, length
    if (body.size() > kMaxVarLen)
        return false;
    std::uint8_t* const start = Room(kLongestHead);
    std::uint8_t* out = start + PutVarLen(delta, start);
    *out++ = status;
    if (status == kMetaStatus)
        *out++ = type;
    out += PutVarLen(static_cast<std::uint32_t>(body.size()), out);
    used_ += static_cast<std::size_t>(out - start);
    WriteBody(body);
    return true;
}

// The length is patched where it stands: in the buffer while the track's
// header is still there, else at the sink.
void SmfWriter::PatchTrackLength(std::uint32_t value) {
    const std::array<std::uint8_t, 4> length{
        static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
        static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
    if (handedOn_ == 0)
        std::copy(length.begin(), length.end(), bytes_.begin() + kTrackLengthOffset);
    else
        sink_->PutAt(kTrackLengthOffset, length);
}

// At equal times all events of record 0 come first, then record 1, and so
// on. Records in time order, as every file gives unless its times run past
// 2^32, are sorted into that order; any others are merged by a queue of the
// records keyed by (time of next event, record index), which gives it too.
TrackResult SmfWriter::WriteMergedTrack(const TSmfFile& song, ByteSink* sink, MergeBy merge) {
    sink_ = sink;
    used_ = 0;
    handedOn_ = 0;
    WriteHeaderChunk(song.division);
    WriteTrackChunkHeader();
    const std::uint64_t trackStart = handedOn_ + used_;
    const bool sorted = merge == MergeBy::Sort && order_.Sort(song.events(), song.tracks());
    std::uint32_t lastWritten = 0;
    const bool written =
        (sorted ? WriteInOrder(song.events(), lastWritten) : WriteByQueue(song, lastWritten)) &&
        WriteEndOfTrack(song.songEnd(), lastWritten);
    if (written) {
        PatchTrackLength(static_cast<std::uint32_t>(handedOn_ + used_ - trackStart));
        if (sink_ != nullptr)
            Flush();
    }
    sink_ = nullptr;
    return written ? TrackResult::Written : TrackResult::NotWritable;
}

bool SmfWriter::WriteInOrder(const EventStore& events, std::uint32_t& lastWritten) {
    const EventOrder::Sorted order = order_.sorted();
    Output out = Open();
    for (std::size_t i = 0; i < order.size(); ++i) {
        const EventOrder::Entry entry = order[i];
        const bool written = entry.other == EventOrder::kChannelEvent
                                 ? WriteChannelEvent(entry.time, entry.status, entry.data1,
                                                     entry.data2, lastWritten, out)
                                 : WriteStored(events, entry.other, lastWritten, out);
        if (!written)
            return false;
    }
    Close(out);
    return true;
}

bool SmfWriter::WriteByQueue(const TSmfFile& song, std::uint32_t& lastWritten) {
    const EventStore& events = song.events();
    const std::vector<SmfTrack>& records = song.tracks();
    std::vector<ListPosition> positions;
    positions.reserve(records.size());
    TimeQueue lists(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        positions.push_back({records[i].first(), records[i].end(), &records[i]});
        if (positions[i].HasEvent(events))
            lists.Open(i, events.time(positions[i].at)); // empty records stay closed
    }
    lists.Start();

    while (!lists.empty()) {
        const std::size_t index = lists.TopIndex();
        std::uint64_t nextKey = 0;
        if (DrainList(positions[index], events, lists, lastWritten, nextKey) == Drained::Unwritable)
            return false;
        lists.ReplaceTopKey(nextKey);
    }
    return true;
}

// Writes a channel event after the last one written. False when its delta
// time does not fit in a variable-length quantity.
[[gnu::always_inline]] inline bool
SmfWriter::WriteChannelEvent(std::uint32_t time, std::uint8_t status, std::uint8_t data1,
                             std::uint8_t data2, std::uint32_t& lastWritten, Output& out) {
    constexpr std::size_t kLongestChannelEvent = 7; // four delta bytes, status, two data bytes
    const std::uint32_t delta = time - lastWritten;
    if (delta > kMaxVarLen)
        return false;
    lastWritten = time;
    if (static_cast<std::size_t>(out.limit - out.at) < kLongestChannelEvent) {
        Close(out);
        Room(kLongestChannelEvent);
        out = Open();
    }
    std::uint8_t* at = out.at;
    at += PutVarLen(delta, at);
    at[0] = status;
    at[1] = data1;
    at[2] = data2;
    out.at = at + (HasSecondDataByte(status) ? 3 : 2);
    return true;
}

// Writes event `i` of the song after the last one written; false when its
// delta time or its length does not fit.
[[gnu::always_inline]] inline bool SmfWriter::WriteStored(const EventStore& events, std::size_t i,
                                                          std::uint32_t& lastWritten, Output& out) {
    const std::uint32_t time = events.time(i);
    const std::uint8_t status = events.status(i);
    if (IsChannelStatus(status))
        return WriteChannelEvent(time, status, events.data1(i),
                                 static_cast<std::uint8_t>(events.value(i)), lastWritten, out);
    const std::uint32_t delta = time - lastWritten;
    if (delta > kMaxVarLen)
        return false;
    lastWritten = time;
    Close(out);
    const bool written = WriteEvent(delta, status, events.data1(i), events.BodyOf(i));
    out = Open();
    return written;
}

// Writes the top record's events for as long as each would keep it on top,
// that is while its key stays below the runner-up's. An event no later than
// one already written here is always below it, so one compare per event
// decides. `nextKey` is left at the key the record goes on with, or kClosed
// when it ends here.
[[gnu::always_inline]] inline SmfWriter::Drained
SmfWriter::DrainList(ListPosition& position, const EventStore& events, const TimeQueue& lists,
                     std::uint32_t& lastWritten, std::uint64_t& nextKey) {
    const std::size_t index = lists.TopIndex();
    const std::uint64_t runnerUp = lists.RunnerUpKey();
    ListPosition at = position;
    Output out = Open();
    for (;;) {
        if (!at.HasEvent(events)) {
            nextKey = TimeQueue::kClosed;
            break;
        }
        nextKey = TimeQueue::Key(events.time(at.at), index);
        if (nextKey > runnerUp)
            break;
        if (!WriteStored(events, at.at, lastWritten, out))
            return Drained::Unwritable;
        ++at.at;
    }
    Close(out);
    position = at;
    return Drained::UpToTime;
}

} // namespace lyricast
