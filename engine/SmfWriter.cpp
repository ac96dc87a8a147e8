#include "engine/SmfWriter.h"

#include "platform/FileIO.h"

#include "engine/TimeQueue.h"

#include <algorithm>
#include <cstring>

namespace lyricast {
namespace {

constexpr std::size_t kTrackLengthOffset = 18;

// What an event contributes to the merged track.
enum class EventFate { Written, Skipped, EndsList };

EventFate FateOf(const SmfEvent& event) {
    if (event.status < 0x80)
        return EventFate::Skipped;
    if (IsChannelStatus(event.status) || event.status == kSysexStatus)
        return EventFate::Written;
    if (event.status == kMetaStatus && !event.IsEndOfTrack())
        return EventFate::Written;
    return EventFate::EndsList; // End of Track, and F1-FE
}

// Puts a variable-length quantity at `out` (room for four bytes); returns its
// size, or 0 without writing anything for a value above kMaxVarLen, which
// would take a fifth byte.
int PutVarLen(std::uint32_t value, std::uint8_t* out) {
    if (value > SmfWriter::kMaxVarLen)
        return 0;
    if (value < 0x80) { // nearly every delta time of a merged track
        *out = static_cast<std::uint8_t>(value);
        return 1;
    }
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

SmfWriter::SmfWriter(std::vector<std::uint8_t> room) : bytes_(std::move(room)) {
    bytes_.resize(bytes_.capacity());
}

std::vector<std::uint8_t> SmfWriter::Release() {
    used_ = 0;
    return std::move(bytes_);
}

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

// The delta time and the event's leading bytes go out together, then its data.
// False, with nothing written, for a body longer than a length can say.
bool SmfWriter::WriteEvent(std::uint32_t delta, const SmfEvent& event) {
    constexpr std::size_t kLongestHead = 10; // delta, status, type, length
    std::span<const std::uint8_t> body;
    if (event.status == kSysexStatus)
        body = event.SysexBody();
    else if (event.status == kMetaStatus)
        body = event.MetaBody();
    if (body.size() > kMaxVarLen)
        return false;
    std::uint8_t* const start = Room(kLongestHead + body.size());
    std::uint8_t* out = start + PutVarLen(delta, start);
    if (IsChannelStatus(event.status)) {
        *out++ = event.status;
        *out++ = event.data1;
        if (HasSecondDataByte(event.status))
            *out++ = event.data2;
    } else {
        *out++ = event.status;
        if (event.status == kMetaStatus)
            *out++ = event.metaData.size() > 1 ? event.metaData[1] : event.data1;
        out += PutVarLen(static_cast<std::uint32_t>(body.size()), out);
        if (!body.empty())
            std::memcpy(out, body.data(), body.size());
        out += body.size();
    }
    used_ += static_cast<std::size_t>(out - start);
    return true;
}

// At equal times all events of list 0 come first, then list 1, and so on; a
// queue of the lists keyed by (time of next event, list index) gives that order.
int SmfWriter::WriteMergedTrack(const TSmfFile& song) {
    std::vector<ListPosition> positions(song.tracks.size());
    TimeQueue lists(song.tracks.size());
    for (std::size_t i = 0; i < song.tracks.size(); ++i)
        if (positions[i].HasEvent(song.tracks[i]))
            lists.Open(i, positions[i].at->time); // empty lists stay closed
    lists.Start();

    WriteHeaderChunk(song.division);
    WriteTrackChunkHeader();
    const std::size_t trackStart = used_;
    std::uint32_t lastWritten = 0;
    while (!lists.empty()) {
        const std::size_t index = lists.TopIndex();
        std::uint64_t nextKey = 0;
        if (DrainList(positions[index], song.tracks[index], lists, lastWritten, nextKey) ==
            Drained::Unwritable)
            return -1;
        lists.ReplaceTopKey(nextKey);
    }

    WriteVarLen(0);
    WriteByte(kMetaStatus);
    WriteByte(kMetaEndOfTrack);
    WriteByte(0);
    PatchLong(kTrackLengthOffset, static_cast<std::uint32_t>(used_ - trackStart));
    return 0;
}

// Writes the top list's events for as long as each would keep it on top, that
// is while its key stays below the runner-up's. An event no later than one
// already written here is always below it, so one compare per event decides,
// and a branch that goes the same way until the list gives way is cheap to
// predict. `nextKey` is left at the key the list goes on with, or kClosed
// when it ends here. The event's fields are read before any byte is stored,
// and the output position is kept in a local: stores through a byte pointer
// may alias anything, and would otherwise force every field to be read
// again. It is built into its one caller: it runs about once per two
// events, and a call's saving and restoring of registers was a good part of
// what those events cost.
[[gnu::always_inline]] inline SmfWriter::Drained
SmfWriter::DrainList(ListPosition& position, const SmfTrack& track, const TimeQueue& lists,
                     std::uint32_t& lastWritten, std::uint64_t& nextKey) {
    constexpr std::size_t kLongestChannelEvent = 7; // four delta bytes, status, two data bytes
    const std::size_t index = lists.TopIndex();
    const std::uint64_t runnerUp = lists.RunnerUpKey();
    ListPosition at = position;
    std::uint8_t* out = bytes_.data() + used_;
    for (;;) {
        if (!at.HasEvent(track)) {
            nextKey = TimeQueue::kClosed;
            break;
        }
        const SmfEvent& event = *at.at;
        const std::uint32_t time = event.time;
        nextKey = TimeQueue::Key(time, index);
        if (nextKey > runnerUp)
            break;
        const std::uint8_t status = event.status;
        const std::uint8_t data1 = event.data1;
        const std::uint8_t data2 = event.data2;
        if (IsChannelStatus(status)) {
            const std::uint32_t delta = time - lastWritten;
            if (delta > kMaxVarLen)
                return Drained::Unwritable;
            lastWritten = time;
            if (static_cast<std::size_t>(bytes_.data() + bytes_.size() - out) <
                kLongestChannelEvent) {
                used_ = static_cast<std::size_t>(out - bytes_.data());
                out = Room(kLongestChannelEvent);
            }
            out += PutVarLen(delta, out);
            out[0] = status;
            out[1] = data1;
            out[2] = data2;
            out += HasSecondDataByte(status) ? 3 : 2;
        } else {
            const EventFate fate = FateOf(event);
            if (fate == EventFate::EndsList) {
                nextKey = TimeQueue::kClosed;
                break;
            }
            if (fate == EventFate::Written) {
                const std::uint32_t delta = time - lastWritten;
                if (delta > kMaxVarLen)
                    return Drained::Unwritable;
                lastWritten = time;
                used_ = static_cast<std::size_t>(out - bytes_.data());
                if (!WriteEvent(delta, event))
                    return Drained::Unwritable;
                out = bytes_.data() + used_;
            }
        }
        ++at.at;
    }
    used_ = static_cast<std::size_t>(out - bytes_.data());
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

// The bytes are collected in the buffer of the last save, so a song saved
// file after file allocates only when a file is larger than any before.
SaveResult TSmfFile::SaveToFile(const std::string& path) const {
    SmfWriter writer(std::move(saved_));
    const bool writable = writer.WriteMergedTrack(*this) == 0;
    const std::span<const std::uint8_t> bytes = writer.Written();
    saved_ = writer.Release(); // moving a vector keeps its bytes where they are
    if (!writable)
        return kSaveNotWritable;
    WriteFileReplacing(path, bytes);
    return kSaved;
}

} // namespace lyricast
