// Reading a Standard MIDI File image into a TSmfFile.
#include "engine/ByteCursor.h"
#include "engine/TSmfFile.h"

#include "engine/TimeQueue.h"

#include <algorithm>
#include <array>
#include <new>

namespace lyricast {
namespace {

constexpr std::size_t kHeaderChunkSize =
    14; // the first track chunk starts here, whatever the header says
constexpr std::size_t kChunkHeaderSize = 8;

// The bytes of one chunk that are still unread.
ByteCursor ChunkCursor(const SmfChunk& chunk, std::span<const std::uint8_t> image) {
    return ByteCursor(image.subspan(chunk.readPosition, chunk.end - chunk.readPosition));
}

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
        chunks.assign(headerTrackCount, SmfChunk{});
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
    for (SmfChunk& chunk : chunks) {
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

// Reads one event of chunk j at its nextTime and files it. When the chunk's
// bytes end inside the event, the chunk is finished and nothing is filed.
// Channel events, nearly all of a song, are read here; the rest out of line.
void TSmfFile::ReadEvent(std::size_t j, ByteCursor& bytes) {
    ReadNextEvent(j, bytes);
}

void TSmfFile::ReadNextEvent(std::size_t j, ByteCursor& bytes) {
    SmfChunk& chunk = chunks[j];
    const auto first = bytes.u8();
    if (!first)
        return FinishChunk(chunk);
    const bool running = *first < 0x80; // running status: the byte was the first data byte
    const std::uint8_t status = running ? chunk.runningStatus : *first;
    if (!IsChannelStatus(status))
        return ReadOtherEvent(j, status, running, *first, bytes);
    chunk.runningStatus = status;

    const std::size_t dataLeft = (running ? 0 : 1) + (HasSecondDataByte(status) ? 1 : 0);
    const auto data = bytes.bytes(dataLeft);
    if (!data) {
        bytes.skip(bytes.remaining()); // the data bytes there are belong to the cut event
        return FinishChunk(chunk);
    }
    const std::uint8_t data1 = running ? *first : (*data)[0];
    const std::uint8_t data2 = HasSecondDataByte(status) ? (*data)[dataLeft - 1] : 0;
    tracks[TrackFor(status, j)].Append(chunk.nextTime, status, status & 0x0F, data1, data2);
}

void TSmfFile::FinishChunk(SmfChunk& chunk) {
    chunk.finished = true;
    chunk.nextTime = kFinished;
}

// Adds the chunk's next delta time to its nextTime; a chunk whose bytes end
// first is finished.
bool TSmfFile::ReadDeltaTime(SmfChunk& chunk, ByteCursor& bytes) {
    const auto delta = bytes.vlq();
    if (!delta) {
        FinishChunk(chunk);
        return false;
    }
    chunk.nextTime += *delta;
    return true;
}

// Merges the chunks by absolute time: at equal times in chunk order, within a
// chunk in file order. A queue of open chunks keyed by (time, index) visits
// them in exactly that order without scanning every chunk at every tick.
// The order only matters where chunks share records, that is when a format-0
// file with several chunks is split by channel; everywhere else each record
// is fed by one chunk, so each chunk is read straight through, with the same
// result and without a queue operation per event.
void TSmfFile::ReadTracks(std::span<const std::uint8_t> image) {
    std::vector<ByteCursor> unread;
    unread.reserve(chunks.size());
    for (const SmfChunk& chunk : chunks)
        unread.push_back(ChunkCursor(chunk, image));
    if (!channelsSplit || chunks.size() <= 1) {
        for (std::size_t j = 0; j < chunks.size(); ++j)
            ReadChunk(j, unread[j]);
    } else {
        MergeChunks(unread);
    }
    for (std::size_t j = 0; j < chunks.size(); ++j)
        chunks[j].readPosition = chunks[j].end - unread[j].remaining();
    if (channelsSplit)
        FinishChannelTracks();
}

// Reads one chunk straight through. Channel events, nearly all of a song,
// are read here with the cursor, the time and the running status held in
// locals: every event stored may alias what lies in memory, which would
// otherwise be stored and read again for each event. The rest goes through
// ReadOtherEvent, which sees the chunk as it stands.
void TSmfFile::ReadChunk(std::size_t j, ByteCursor& unread) {
    SmfChunk& chunk = chunks[j];
    ByteCursor bytes = unread;
    std::uint32_t time = chunk.nextTime;
    std::uint8_t runningStatus = chunk.runningStatus;
    SmfTrack* const own = channelsSplit ? nullptr : &tracks[j];
    for (;;) {
        const auto delta = bytes.vlq();
        const auto first = delta ? bytes.u8() : std::nullopt;
        if (!first) {
            FinishChunk(chunk);
            break;
        }
        time += *delta;
        const bool running = *first < 0x80;
        const std::uint8_t status = running ? runningStatus : *first;
        if (!IsChannelStatus(status)) {
            chunk.nextTime = time;
            chunk.runningStatus = runningStatus;
            ByteCursor rest = bytes; // lent by copy, so that `bytes` stays in registers
            ReadOtherEvent(j, status, running, *first, rest);
            bytes = rest;
            if (chunk.finished)
                break;
            continue;
        }
        runningStatus = status;
        const bool two = HasSecondDataByte(status);
        const auto data = bytes.bytes((running ? 0 : 1) + (two ? 1 : 0));
        if (!data) {
            bytes.skip(bytes.remaining()); // the data bytes there are belong to the cut event
            FinishChunk(chunk);
            break;
        }
        const std::uint8_t data1 = running ? *first : (*data)[0];
        const std::uint8_t data2 = two ? data->back() : 0;
        SmfTrack& track = own != nullptr ? *own : tracks[status & 0x0Fu];
        track.Append(time, status, status & 0x0F, data1, data2);
    }
    chunk.runningStatus = runningStatus;
    unread = bytes;
}

void TSmfFile::MergeChunks(std::vector<ByteCursor>& unread) {
    TimeQueue open(chunks.size());
    for (std::size_t j = 0; j < chunks.size(); ++j)
        if (ReadDeltaTime(chunks[j], unread[j]))
            open.Open(j, chunks[j].nextTime);
    open.Start();

    while (!open.empty()) {
        const std::uint32_t now = open.TopTime();
        while (!open.empty() && open.TopTime() == now) {
            const std::size_t j = open.TopIndex();
            SmfChunk& chunk = chunks[j];
            while (!chunk.finished && chunk.nextTime <= now) {
                ReadNextEvent(j, unread[j]);
                if (!chunk.finished)
                    ReadDeltaTime(chunk, unread[j]);
            }
            if (chunk.finished)
                open.Pop();
            else
                open.ReplaceTop(chunk.nextTime);
        }
    }
}

std::size_t TSmfFile::TrackFor(std::uint8_t status, std::size_t chunkIndex) const {
    if (!channelsSplit)
        return chunkIndex;
    return IsChannelStatus(status) ? status & 0x0Fu : 0;
}

// A system-exclusive, meta or system event; `first` is its first byte, the
// first data byte when `running`.
void TSmfFile::ReadOtherEvent(std::size_t j, std::uint8_t status, bool running, std::uint8_t first,
                              ByteCursor& bytes) {
    SmfChunk& chunk = chunks[j];
    const std::uint32_t time = chunk.nextTime;
    if (IsSysexStatus(status)) {
        const auto length = bytes.vlq();
        const auto body = length ? bytes.bytes(*length) : std::nullopt;
        if (!body)
            return FinishChunk(chunk);
        AddSysexEvent(TrackFor(status, j), status, *body, time);
    } else if (status == kMetaStatus) {
        const auto type = running ? std::optional<std::uint8_t>(first) : bytes.u8();
        const auto length = type ? bytes.vlq() : std::nullopt;
        const auto body = length ? bytes.bytes(*length) : std::nullopt;
        if (!body)
            return FinishChunk(chunk);
        if (*type == kMetaEndOfTrack) {
            // With the channel split every record is closed after the merge instead.
            if (!channelsSplit)
                AddMetaEvent(j, status, *type, *body, time);
            return FinishChunk(chunk);
        }
        AddMetaEvent(TrackFor(status, j), status, *type, *body, time);
    } else if (status <= 0xF6) {
        // F1-F6 take one byte with them; F8-FE stand alone. Neither is kept.
        if (!bytes.u8())
            return FinishChunk(chunk);
    }
}

// Closes every non-empty per-channel record with an End of Track at its last
// event's time.
void TSmfFile::FinishChannelTracks() {
    for (std::size_t t = 0; t < tracks.size(); ++t) {
        if (!tracks[t].empty())
            AddMetaEvent(t, kMetaStatus, kMetaEndOfTrack, {}, tracks[t].cursor->time);
    }
}

} // namespace lyricast
