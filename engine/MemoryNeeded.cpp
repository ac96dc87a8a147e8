#include "engine/TSmfFile.h"

#include "engine/ChunkReader.h"
#include "engine/KeptMemory.h"
#include "engine/TimeQueue.h"

#include <algorithm>

namespace lyricast {
namespace {

constexpr std::uint64_t kHeaderChunkSize = 14;
constexpr std::uint64_t kChunkHeaderSize = 8;
constexpr std::uint64_t kMaxChunks = UINT16_MAX;
// The output's path, copied a few times over while the file is made.
constexpr std::uint64_t kPathBytes = 4 * 4096;

// What a buffer the song keeps holds at most: what the file needs of it, or
// what a file before it left there.
std::uint64_t Kept(std::uint64_t need) {
    return std::max<std::uint64_t>(need, kKeptBufferBytes);
}

} // namespace

// Every buffer at its largest at once: the file image with room for the
// bytes a song adds (read into a kept buffer, which goes only once the new
// one is there), the chunk table, the records, the events (each takes two
// bytes of a chunk or more, which leaves room for the one a song adds), the
// merge of a split file's chunks, and the writer.
std::uint64_t TSmfFile::MemoryNeededFor(std::uint64_t fileBytes) {
    const std::uint64_t chunkBytes =
        fileBytes > kHeaderChunkSize ? fileBytes - kHeaderChunkSize : 0;
    const std::uint64_t chunks = std::min(kMaxChunks, chunkBytes / kChunkHeaderSize);
    const std::uint64_t records = std::max<std::uint64_t>(kChannelTrackCount, chunks);
    const std::uint64_t events = chunkBytes / 2;

    const std::uint64_t image = Kept(fileBytes + 1 + kAddedBytesRoom) + kKeptBufferBytes;
    const std::uint64_t table = Kept(chunks * sizeof(SmfChunk)) + Kept(records * sizeof(SmfTrack));
    const std::uint64_t stored = Kept(events * EventStore::kBytesPerEvent);
    const std::uint64_t merge = chunks * sizeof(ChunkReader) + TimeQueue::MemoryFor(chunks);
    const std::uint64_t writer = SmfWriter::MemoryNeededFor(events, records) + kKeptBufferBytes;
    return image + table + stored + merge + writer + kPathBytes;
}

} // namespace lyricast
