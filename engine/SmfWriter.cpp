#include "engine/SmfWriter.h"

#include "platform/FileIO.h"

#include "engine/EventFate.h"
#include "engine/TSmfFile.h"
#include "engine/TimeQueue.h"

#include <algorithm>
#include <cstring>

namespace lyricast {
namespace {

constexpr std::size_t kTrackLengthOffset = 18;

// Puts a quantity of two to four bytes at `out`; returns its size, or 0
// without writing anything for a value above kMaxVarLen, which would take a
// fifth byte.
[[gnu::noinline]] int PutLongVarLen(std::uint32_t value, std::uint8_t* out) {
    if (value > SmfWriter::kMaxVarLen)
        return 0;
    std::uint32_t buffer = value & 0x7F;
    while ((value >>= 7) > 0)
        buffer = (buffer << 8) | 0x80 | (value & 0x7F);
    int size = 0;
    for (;;) {
        out[size++] = static_cast<std::uint8_t>(buffer);
        if ((buffer & 0x80) == 0)
            return size;
        buffer >>= 8;
    }
}

// Puts a variable-length quantity at `out` (room for four bytes); returns its
// size, or 0 as PutLongVarLen. A value of one byte, nearly every delta time
// of a merged track, is put without a call.
inline int PutVarLen(std::uint32_t value, std::uint8_t* out) {
    if (value < 0x80) {
        *out = static_cast<std::uint8_t>(value);
        return 1;
    }
    return PutLongVarLen(value, out);
}

} // namespace

// Where the merge stands in one list: the rest of the run of side-by-side
// events being written, and the run after it.
struct SmfWriter::ListPosition {
    const SmfEvent* at = nullptr;
    const SmfEvent* runEnd = nullptr;
    std::size_t nextRun = 0;

    // Moves to the next run when this one is written out; false at the list's end.
    bool HasEvent(const SmfTrack& track) {
        if (at != runEnd)
            return true;
        if (nextRun == track.RunCount())
            return false;
        const auto run = track.Run(nextRun++);
        at = run.data();
        runEnd = run.data() + run.size();
        return true;
    }
};

std::vector<std::uint8_t> SmfWriter::Take() {
    bytes_.resize(used_);
    used_ = 0;
    return std::move(bytes_);
}

void SmfWriter::Grow(std::size_t size) {
    constexpr std::size_t kFirstSize = 64 * 1024;
    bytes_.resize(std::max({bytes_.size() * 2, used_ + size, kFirstSize}));
}

int SmfWriter::WriteByte(std::uint8_t b) {
    *Room(1) = b;
    ++used_;
    return 1;
}

int SmfWriter::WriteWord(std::uint16_t value) {
    WriteByte(static_cast<std::uint8_t>(value >> 8));
    WriteByte(static_cast<std::uint8_t>(value));
    return 2;
}

int SmfWriter::WriteLong(std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        WriteByte(static_cast<std::uint8_t>(value >> shift));
    return 4;
}

int SmfWriter::WriteTag(std::string_view text) {
    for (char c : text)
        WriteByte(static_cast<std::uint8_t>(c));
    return static_cast<int>(text.size());
}

int SmfWriter::WriteVarLen(std::uint32_t value) {
    const int size = PutVarLen(value, Room(4));
    used_ += static_cast<std::size_t>(size);
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

// A system-exclusive or meta event: the delta time and the event's leading
// bytes go out together, then its data. False, with nothing written, for a
// body longer than a length can say.
bool SmfWriter::WriteEvent(std::uint32_t delta, const SmfEvent& event) {
    constexpr std::size_t kLongestHead = 10; // delta, status, type, length
    const std::span<const std::uint8_t> body =
        IsSysexStatus(event.status) ? event.SysexBody() : event.MetaBody();
    if (body.size() > kMaxVarLen)
        return false;
    std::uint8_t* const start = Room(kLongestHead + body.size());
    std::uint8_t* out = start + PutVarLen(delta, start);
    *out++ = event.status;
    if (event.status == kMetaStatus)
        *out++ = event.metaData.size() > 1 ? event.metaData[1] : event.data1;
    out += PutVarLen(static_cast<std::uint32_t>(body.size()), out);
    if (!body.empty())
        std::memcpy(out, body.data(), body.size());
    out += body.size();
    used_ += static_cast<std::size_t>(out - start);
    return true;
}

// At equal times all events of list 0 come first, then list 1, and so on.
// Lists in time order, as every file gives unless its times run past 2^32,
// are sorted into that order; any others are merged by a queue of the lists
// keyed by (time of next event, list index), which gives it too.
int SmfWriter::WriteMergedTrack(const TSmfFile& song) {
    WriteHeaderChunk(song.division);
    WriteTrackChunkHeader();
    const std::size_t trackStart = used_;
    const bool written = order_.Sort(song.tracks) ? WriteInOrder() : WriteByQueue(song);
    if (!written)
        return -1;

    WriteVarLen(0);
    WriteByte(kMetaStatus);
    WriteByte(kMetaEndOfTrack);
    WriteByte(0);
    PatchLong(kTrackLengthOffset, static_cast<std::uint32_t>(used_ - trackStart));
    return 0;
}

bool SmfWriter::WriteInOrder() {
    const EventOrder::Sorted events = order_.sorted();
    Output out = Open();
    std::uint32_t lastWritten = 0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const EventOrder::Entry entry = events[i];
        const bool written = entry.other == nullptr
                                 ? WriteChannelEvent(entry.time, entry.status, entry.data1,
                                                     entry.data2, lastWritten, out)
                                 : WriteCarried(*entry.other, lastWritten, out);
        if (!written)
            return false;
    }
    Close(out);
    return true;
}

bool SmfWriter::WriteByQueue(const TSmfFile& song) {
    std::vector<ListPosition> positions(song.tracks.size());
    TimeQueue lists(song.tracks.size());
    for (std::size_t i = 0; i < song.tracks.size(); ++i)
        if (positions[i].HasEvent(song.tracks[i]))
            lists.Open(i, positions[i].at->time); // empty lists stay closed
    lists.Start();

    std::uint32_t lastWritten = 0;
    while (!lists.empty()) {
        const std::size_t index = lists.TopIndex();
        std::uint64_t nextKey = 0;
        if (DrainList(positions[index], song.tracks[index], lists, lastWritten, nextKey) ==
            Drained::Unwritable)
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

// Writes any event the track carries after the last one written; false when
// its delta time or its length does not fit. The fields are read before any
// byte is stored.
[[gnu::always_inline]] inline bool
SmfWriter::WriteCarried(const SmfEvent& event, std::uint32_t& lastWritten, Output& out) {
    const std::uint32_t time = event.time;
    const std::uint8_t status = event.status;
    if (IsChannelStatus(status))
        return WriteChannelEvent(time, status, event.data1, event.data2, lastWritten, out);
    const std::uint32_t delta = time - lastWritten;
    if (delta > kMaxVarLen)
        return false;
    lastWritten = time;
    Close(out);
    const bool written = WriteEvent(delta, event);
    out = Open();
    return written;
}

// Writes the top list's events for as long as each would keep it on top, that
// is while its key stays below the runner-up's. An event no later than one
// already written here is always below it, so one compare per event decides,
// and a branch that goes the same way until the list gives way is cheap to
// predict. `nextKey` is left at the key the list goes on with, or kClosed
// when it ends here. It is built into its one caller: it runs about once per
// two events, and a call's saving and restoring of registers was a good part
// of what those events cost.
[[gnu::always_inline]] inline SmfWriter::Drained
SmfWriter::DrainList(ListPosition& position, const SmfTrack& track, const TimeQueue& lists,
                     std::uint32_t& lastWritten, std::uint64_t& nextKey) {
    const std::size_t index = lists.TopIndex();
    const std::uint64_t runnerUp = lists.RunnerUpKey();
    ListPosition at = position;
    Output out = Open();
    for (;;) {
        if (!at.HasEvent(track)) {
            nextKey = TimeQueue::kClosed;
            break;
        }
        const SmfEvent& event = *at.at;
        nextKey = TimeQueue::Key(event.time, index);
        if (nextKey > runnerUp)
            break;
        const EventFate fate = FateOf(event);
        if (fate == EventFate::EndsList) {
            nextKey = TimeQueue::kClosed;
            break;
        }
        if (fate == EventFate::Written && !WriteCarried(event, lastWritten, out))
            return Drained::Unwritable;
        ++at.at;
    }
    Close(out);
    position = at;
    return Drained::UpToTime;
}

void SmfWriter::PatchLong(std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes_[offset + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

SaveResult TSmfFile::SaveToBytes(std::vector<std::uint8_t>& out) const {
    SmfWriter writer;
    if (writer.WriteMergedTrack(*this) != 0) {
        out.clear();
        return kSaveNotWritable;
    }
    out = writer.Take();
    return kSaved;
}

// The song keeps its writer, so a song saved file after file allocates only
// when a file is larger than any before.
SaveResult TSmfFile::SaveToFile(const std::string& path) const {
    writer_.Rewind();
    if (writer_.WriteMergedTrack(*this) != 0)
        return kSaveNotWritable;
    WriteFileReplacing(path, writer_.Written());
    return kSaved;
}

} // namespace lyricast
