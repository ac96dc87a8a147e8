// Reading a Standard MIDI File image into a TSmfFile.
#include "engine/TSmfFile.h"

#include "engine/ByteCursor.h"
#include "engine/ChunkReader.h"
#include "engine/TimeQueue.h"

#include <algorithm>
#include <array>
#include <new>

namespace lyricast {
namespace {

constexpr std::size_t kHeaderChunkSize =
    14; // the first track chunk starts here, whatever the header says
constexpr std::size_t kChunkHeaderSize = 8;

} // namespace

HeaderResult TSmfFile::ParseHeader(std::span<const std::uint8_t> image) {
    return ParseHeader(image.size(), [image](std::uint64_t offset, std::span<std::uint8_t> out) {
        const auto start = static_cast<std::size_t>(std::min<std::uint64_t>(offset, image.size()));
        const auto part = image.subspan(start, std::min(out.size(), image.size() - start));
        std::copy(part.begin(), part.end(), out.begin());
        return part.size();
    });
}

// Reads only the header chunk and each chunk's header, so a huge file (or a
// sparse one) costs no more than a small one.
HeaderResult TSmfFile::ParseHeader(std::uint64_t fileSize, const ReadAt& readAt) {
    std::array<std::uint8_t, kHeaderChunkSize> headerBytes{};
    ByteCursor header{std::span(headerBytes).first(readAt(0, headerBytes))};
    if (header.remaining() < kHeaderChunkSize || !header.tag("MThd"))
        return kHeaderNotMidi;
    header.skip(4); // the header length: the first chunk is taken to be at 14 regardless
    format = *header.u16be();
    headerTrackCount = *header.u16be();
    const std::uint16_t divisionWord = *header.u16be();

    try {
        chunks_.assign(headerTrackCount, SmfChunk{});
    } catch (const std::bad_alloc&) {
        return kHeaderNoChunkTable;
    }
    channelsSplit = splitFormat0 && format == 0;
    trackCount = channelsSplit ? kChannelTrackCount : headerTrackCount;
    try {
        MakeTracks(trackCount);
    } catch (const std::bad_alloc&) {
        return kHeaderNoTrackRecords;
    }

    std::uint64_t offset = kHeaderChunkSize;
    for (SmfChunk& chunk : chunks_) {
        if (offset + kChunkHeaderSize > fileSize)
            return kHeaderDamagedChunk;
        std::array<std::uint8_t, kChunkHeaderSize> chunkBytes{};
        ByteCursor chunkHeader{std::span(chunkBytes).first(readAt(offset, chunkBytes))};
        if (!chunkHeader.tag("MTrk"))
            return kHeaderDamagedChunk;
        const auto length = chunkHeader.u32be();
        if (!length)
            return kHeaderDamagedChunk;
        chunk.length = *length;
        chunk.readPosition = static_cast<std::size_t>(offset) + kChunkHeaderSize;
        chunk.end = static_cast<std::size_t>(
            std::min<std::uint64_t>(chunk.readPosition + std::uint64_t{chunk.length}, fileSize));
        offset += kChunkHeaderSize + std::uint64_t{chunk.length};
    }
    division = divisionWord;
    return kHeaderOk;
}

// Every stored event takes at least two bytes of its chunk (a delta time and
// a status or data byte), so the chunks' bytes bound the events: the events
// get all their room at once, and never move while they are read.
std::size_t TSmfFile::MostEvents() const {
    std::size_t most = 0;
    for (const SmfChunk& chunk : chunks_)
        most += (chunk.end - chunk.readPosition) / 2;
    return most;
}

// Merges the chunks by absolute time: at equal times in chunk order, within a
// chunk in file order. The order only matters where chunks share records,
// that is when a format-0 file with several chunks is split by channel;
// everywhere else each record is fed by one chunk, so each chunk is read
// straight through, with the same result.
void TSmfFile::ReadTracks() {
    if constexpr (sizeof(std::size_t) > sizeof(std::uint32_t)) {
        if (events_.bytes().size() > UINT32_MAX)
            throw std::bad_alloc(); // an event's bytes are found by a 32-bit offset
    }
    events_.Reserve(MostEvents());
    damaged_ = std::any_of(chunks_.begin(), chunks_.end(), [](const SmfChunk& chunk) {
        return chunk.end - chunk.readPosition < chunk.length;
    });
    if (!channelsSplit || chunks_.size() <= 1) {
        for (std::size_t j = 0; j < chunks_.size(); ++j)
            ReadChunk(j);
    } else {
        MergeChunks();
    }
    if (channelsSplit)
        FinishChannelTracks();
}

ChunkReader TSmfFile::ReaderOf(const SmfChunk& chunk) const {
    const std::span<const std::uint8_t> bytes(events_.bytes());
    return {ByteCursor(bytes.subspan(chunk.readPosition, chunk.end - chunk.readPosition)),
            chunk.readPosition};
}

// Without the channel split the chunk's events are its record's run.
void TSmfFile::ReadChunk(std::size_t j) {
    ChunkReader chunk = ReaderOf(chunks_[j]);
    const auto first = static_cast<std::uint32_t>(events_.size());
    while (chunk.ReadDeltaTime() && ReadNextEvent(j, chunk)) {
    }
    damaged_ = damaged_ || chunk.cut;
    if (!channelsSplit)
        tracks_[j].SetRun(first, static_cast<std::uint32_t>(events_.size()));
}

// A queue of open chunks keyed by (time, index) visits them in time order,
// then chunk order, without scanning every chunk at every tick.
void TSmfFile::MergeChunks() {
    std::vector<ChunkReader> readers;
    readers.reserve(chunks_.size());
    for (const SmfChunk& chunk : chunks_)
        readers.push_back(ReaderOf(chunk));
    TimeQueue open(readers.size());
    for (std::size_t j = 0; j < readers.size(); ++j)
        if (readers[j].ReadDeltaTime())
            open.Open(j, readers[j].nextTime);
    open.Start();

    while (!open.empty()) {
        const std::uint32_t now = open.TopTime();
        while (!open.empty() && open.TopTime() == now) {
            const std::size_t j = open.TopIndex();
            ChunkReader& chunk = readers[j];
            while (!chunk.finished && chunk.nextTime <= now) {
                if (ReadNextEvent(j, chunk))
                    chunk.ReadDeltaTime();
            }
            if (chunk.finished) {
                damaged_ = damaged_ || chunk.cut;
                open.Pop();
            } else
                open.ReplaceTop(chunk.nextTime);
        }
    }
}

// Reads one event of chunk j at its nextTime and files it; false when the
// chunk has finished, at its End of Track or where its bytes end inside an
// event, which is then not filed. Channel events, nearly all of a song, are
// read here; the rest out of line.
[[gnu::always_inline]] inline bool TSmfFile::ReadNextEvent(std::size_t j, ChunkReader& chunk) {
    const auto first = chunk.bytes.u8();
    if (!first)
        return chunk.Cut();
    const bool running = *first < 0x80; // running status: the byte was the first data byte
    const std::uint8_t status = running ? chunk.runningStatus : *first;
    if (!IsChannelStatus(status))
        return ReadOtherEvent(j, status, running, *first, chunk);
    chunk.runningStatus = status;

    const bool two = HasSecondDataByte(status);
    const auto data = chunk.bytes.bytes((running ? 0 : 1) + (two ? 1 : 0));
    if (!data) {
        chunk.bytes.skip(
            chunk.bytes.remaining()); // the data bytes there are belong to the cut event
        return chunk.Cut();
    }
    const std::uint8_t data1 = running ? *first : (*data)[0];
    const std::uint8_t data2 = two ? data->back() : 0;
    events_.Append(chunk.nextTime, status, data1, data2);
    return true;
}

// A system-exclusive, escape, meta or system event; `first` is its first
// byte, the first data byte when `running`. An event that carries bytes is
// stored with where its count lies in the song's bytes.
bool TSmfFile::ReadOtherEvent(std::size_t j, std::uint8_t status, bool running, std::uint8_t first,
                              ChunkReader& chunk) {
    const std::uint32_t time = chunk.nextTime;
    if (IsSysexStatus(status)) {
        const std::uint32_t at = chunk.Offset();
        const auto length = chunk.bytes.vlq();
        if (!length || !chunk.bytes.skip(*length))
            return chunk.Cut();
        events_.Append(time, status, 0, at);
    } else if (status == kMetaStatus) {
        const auto type = running ? std::optional<std::uint8_t>(first) : chunk.bytes.u8();
        const std::uint32_t at = chunk.Offset();
        const auto length = type ? chunk.bytes.vlq() : std::nullopt;
        const auto body = length ? chunk.bytes.bytes(*length) : std::nullopt;
        if (!body)
            return chunk.Cut();
        if (*type == kMetaEndOfTrack) {
            lastEndOfTrack_ = std::max(lastEndOfTrack_, time);
            // With the channel split every record is closed after the merge instead.
            if (!channelsSplit)
                tracks_[j].Close(time);
            return chunk.Finish();
        }
        FileMetaEvent(channelsSplit ? 0 : j, *type, at, *body, time);
    } else if (status <= 0xF6) {
        // F1-F6 take one byte with them; F8-FE stand alone. Neither is kept.
        if (!chunk.bytes.u8())
            return chunk.Cut();
    }
    return true;
}

// The first name filed to a record becomes its name, never an event; an
// empty one is dropped so that the next name is taken in its place.
void TSmfFile::FileMetaEvent(std::size_t track, std::uint8_t type, std::uint32_t at,
                             std::span<const std::uint8_t> body, std::uint32_t time) {
    SmfTrack& record = tracks_[track];
    if (type == kMetaTrackName && !record.named()) {
        record.Name(static_cast<std::uint32_t>(body.data() - events_.bytes().data()),
                    static_cast<std::uint8_t>(NameLengthOf(body)));
        return;
    }
    events_.Append(time, kMetaStatus, type, at);
    if (type == kMetaText)
        ++textEvents_;
    else if (type == kMetaLyric)
        ++lyricEvents_;
}

// Each per-channel record owns the events of its channel, from the first to
// the last, and is closed with an End of Track at its last event's time; a
// record without events stays empty.
void TSmfFile::FinishChannelTracks() {
    constexpr std::uint32_t kNone = UINT32_MAX;
    std::array<std::uint32_t, kChannelTrackCount> first;
    std::array<std::uint32_t, kChannelTrackCount> last;
    first.fill(kNone);
    last.fill(kNone);
    for (std::uint32_t i = 0; i < events_.size(); ++i) {
        const std::uint8_t record = ChannelRecordOf(events_.status(i));
        if (first[record] == kNone)
            first[record] = i;
        last[record] = i;
    }
    for (std::size_t t = 0; t < tracks_.size(); ++t) {
        SmfTrack& record = tracks_[t];
        record.SetChannel(static_cast<std::uint8_t>(t));
        if (first[t] == kNone)
            continue;
        record.SetRun(first[t], last[t] + 1);
        record.Close(events_.time(last[t]));
    }
}

} // namespace lyricast
