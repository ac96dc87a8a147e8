// Reading a Standard MIDI File image into a TSmfFile.
#include "engine/ByteCursor.h"
#include "engine/TSmfFile.h"

#include "engine/TimeQueue.h"

#include <algorithm>
#include <array>
#include <new>

namespace lyricast {
namespace {

constexpr std::size_t kHeaderChunkSize = 14;  // the first track chunk starts here, whatever the header says
constexpr std::size_t kChunkHeaderSize = 8;

// The bytes of one chunk that are still unread.
ByteCursor ChunkCursor(const SmfChunk& chunk, std::span<const std::uint8_t> image) {
    return ByteCursor(image.subspan(chunk.readPosition, chunk.end - chunk.readPosition));
}

} // namespace

std::uint8_t TSmfFile::ParseHeader(std::span<const std::uint8_t> image) {
    return ParseHeader(image.size(), [image](std::uint64_t offset, std::span<std::uint8_t> out) {
        const auto start = static_cast<std::size_t>(std::min<std::uint64_t>(offset, image.size()));
        const auto part = image.subspan(start, std::min(out.size(), image.size() - start));
        std::copy(part.begin(), part.end(), out.begin());
        return part.size();
    });
}

// Reads only the header chunk and each chunk's header, so a huge file (or a
// sparse one) costs no more than a small one.
std::uint8_t TSmfFile::ParseHeader(std::uint64_t fileSize, const ReadAt& readAt) {
    std::array<std::uint8_t, kHeaderChunkSize> headerBytes{};
    ByteCursor header{std::span(headerBytes).first(readAt(0, headerBytes))};
    if (header.remaining() < kHeaderChunkSize || !header.tag("MThd"))
        return kHeaderNotMidi;
    header.skip(4);  // the header length: the first chunk is taken to be at 14 regardless
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
        tracks.clear();
        tracks.resize(trackCount);
    } catch (const std::bad_alloc&) {
        return kHeaderNoTrackRecords;
    }

    std::uint64_t offset = kHeaderChunkSize;
    for (SmfChunk& chunk : chunks) {
        if (offset + kChunkHeaderSize > fileSize)
            return kHeaderDamagedChunk;
        std::array<std::uint8_t, kChunkHeaderSize> chunkBytes{};
        ByteCursor chunkHeader{std::span(chunkBytes).first(readAt(offset, chunkBytes))};
        if (!chunkHeader.tag("MTrk")) return kHeaderDamagedChunk;
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

// Adds the chunk's next delta time to its nextTime; a chunk whose bytes end
// first is finished.
bool TSmfFile::ReadDeltaTime(SmfChunk& chunk, ByteCursor& bytes) {
    const auto delta = bytes.vlq();
    if (!delta) {
        chunk.finished = true;
        chunk.nextTime = kFinished;
        return false;
    }
    chunk.nextTime += *delta;
    return true;
}

// Merges the chunks by absolute time: at equal times in chunk order, within a
// chunk in file order. A heap of open chunks keyed by (time, index) visits
// them in exactly that order without scanning every chunk at every tick.
// The order only matters where chunks share records, that is when a format-0
// file with several chunks is split by channel; everywhere else each record
// is fed by one chunk, so each chunk is read straight through, with the same
// result and without a heap operation per event.
void TSmfFile::ReadTracks(std::span<const std::uint8_t> image) {
    std::vector<ByteCursor> unread;
    unread.reserve(chunks.size());
    for (const SmfChunk& chunk : chunks) unread.push_back(ChunkCursor(chunk, image));
    if (!channelsSplit || chunks.size() <= 1) {
        for (std::size_t j = 0; j < chunks.size(); ++j) ReadChunk(j, unread[j]);
    } else {
        MergeChunks(unread);
    }
    for (std::size_t j = 0; j < chunks.size(); ++j) chunks[j].readPosition = chunks[j].end - unread[j].remaining();
    if (channelsSplit) FinishChannelTracks();
}

void TSmfFile::ReadChunk(std::size_t j, ByteCursor& bytes) {
    SmfChunk& chunk = chunks[j];
    if (!ReadDeltaTime(chunk, bytes)) return;
    while (!chunk.finished) {
        ReadEvent(j, bytes);
        if (!chunk.finished) ReadDeltaTime(chunk, bytes);
    }
}

void TSmfFile::MergeChunks(std::vector<ByteCursor>& unread) {
    TimeQueue open;
    open.Reserve(chunks.size());
    for (std::size_t j = 0; j < chunks.size(); ++j)
        if (ReadDeltaTime(chunks[j], unread[j])) open.Push(chunks[j].nextTime, j);

    while (!open.empty()) {
        const std::uint32_t now = open.TopTime();
        while (!open.empty() && open.TopTime() == now) {
            const std::size_t j = open.TopIndex();
            SmfChunk& chunk = chunks[j];
            while (!chunk.finished && chunk.nextTime <= now) {
                ReadEvent(j, unread[j]);
                if (!chunk.finished) ReadDeltaTime(chunk, unread[j]);
            }
            if (chunk.finished)
                open.Pop();
            else
                open.ReplaceTop(chunk.nextTime);
        }
    }
}

std::size_t TSmfFile::TrackFor(std::uint8_t status, std::size_t chunkIndex) const {
    if (!channelsSplit) return chunkIndex;
    return IsChannelStatus(status) ? status & 0x0Fu : 0;
}

// Reads one event of chunk j at its nextTime and files it. When the chunk's
// bytes end inside the event, the chunk is finished and nothing is filed.
void TSmfFile::ReadEvent(std::size_t j, ByteCursor& bytes) {
    SmfChunk& chunk = chunks[j];
    const std::uint32_t time = chunk.nextTime;
    auto finish = [&chunk] {
        chunk.finished = true;
        chunk.nextTime = kFinished;
    };

    const auto first = bytes.u8();
    if (!first) return finish();
    std::uint8_t status = *first;
    std::optional<std::uint8_t> data1;
    if (status < 0x80) {
        data1 = status;  // running status: the byte was the first data byte
        status = chunk.runningStatus;
    } else if (IsChannelStatus(status)) {
        chunk.runningStatus = status;
    }

    if (IsChannelStatus(status)) {
        if (!data1) data1 = bytes.u8();
        const auto data2 = HasSecondDataByte(status) ? bytes.u8() : std::optional<std::uint8_t>(0);
        if (!data1 || !data2) return finish();
        AddChannelEvent(TrackFor(status, j), status, *data1, *data2, time);
    } else if (status == kSysexStatus) {
        const auto length = bytes.vlq();
        const auto body = length ? bytes.bytes(*length) : std::nullopt;
        if (!body) return finish();
        AddSysexEvent(TrackFor(status, j), status, *body, time);
    } else if (status == kMetaStatus) {
        if (!data1) data1 = bytes.u8();
        const auto length = data1 ? bytes.vlq() : std::nullopt;
        const auto body = length ? bytes.bytes(*length) : std::nullopt;
        if (!body) return finish();
        if (*data1 == kMetaEndOfTrack) {
            // With the channel split every record is closed after the merge instead.
            if (!channelsSplit) AddMetaEvent(j, status, *data1, *body, time);
            return finish();
        }
        AddMetaEvent(TrackFor(status, j), status, *data1, *body, time);
    } else if (status <= 0xF7) {
        // F1-F7 take one byte with them; F8-FE stand alone. Neither is kept.
        if (!bytes.u8()) return finish();
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
