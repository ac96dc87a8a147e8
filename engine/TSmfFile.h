#pragma once

#include "engine/SmfTrack.h"
#include "engine/SmfWriter.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace lyricast {

class ByteCursor;

// Result codes of the header parse.
enum [[nodiscard]] HeaderResult : std::uint8_t{
    kHeaderOk = 0,
    kHeaderDamagedChunk = 252, // a chunk header is cut off or not "MTrk"
    kHeaderNoTrackRecords = 253,
    kHeaderNoChunkTable = 254,
    kHeaderNotMidi = 255, // shorter than a header, or no "MThd"
};

// Result codes of a save.
enum [[nodiscard]] SaveResult : int{
    kSaved = 0,
    kSaveNotWritable = -2, // a delta time or a length beyond four bytes: nothing was written
};

// The reader's state for one track chunk while a file is read.
struct SmfChunk {
    std::uint32_t length = 0;
    std::uint32_t nextTime = 0;   // 0xFFFFFFFF once finished
    std::size_t readPosition = 0; // offset of the next unread byte in the file image
    std::size_t end = 0;          // the chunk's last byte + 1, clipped to the file's end
    std::uint8_t runningStatus = 0xFF;
    bool finished = false;
};

// One Standard MIDI File in memory, read from disk header only or whole, and
// written out as a format-0 file with one merged track.
class TSmfFile {
public:
    static constexpr std::uint16_t kChannelTrackCount = 17;
    static constexpr std::uint32_t kFinished = 0xFFFFFFFF;
    // How much of a file LoadHeader reads at once from its start.
    static constexpr std::size_t kHeadBytes = 16 * 1024;

    // SmfHeader
    std::uint16_t format = 0;
    std::uint16_t headerTrackCount = 0;
    std::uint16_t division = 0;

    std::vector<SmfChunk> chunks;
    bool loaded = false;
    std::uint16_t trackCount = 0;
    std::vector<SmfTrack> tracks;
    bool splitFormat0 = true;
    bool channelsSplit = false;
    // The code of the last header parse, so callers can tell why a load failed.
    HeaderResult headerResult = kHeaderOk;

    TSmfFile() = default;
    TSmfFile(const TSmfFile&) = delete;
    TSmfFile& operator=(const TSmfFile&) = delete;
    TSmfFile(TSmfFile&&) noexcept = default;
    TSmfFile& operator=(TSmfFile&&) noexcept = default;

    void Reset();
    std::uint16_t GetTrackCount() const { return trackCount; }

    // Reading. The path forms raise FileError when the file cannot be read;
    // LoadHeader reads no more of the file than the headers.
    [[nodiscard]] bool LoadHeader(const std::string& path);
    [[nodiscard]] bool LoadFile(const std::string& path);
    [[nodiscard]] bool LoadHeaderImage(std::span<const std::uint8_t> image);
    [[nodiscard]] bool LoadFileImage(std::span<const std::uint8_t> image);
    HeaderResult ParseHeader(std::span<const std::uint8_t> image);
    // Fills `out` from the file's bytes at `offset` and returns how many it
    // put there: fewer only where the file ends.
    using ReadAt = std::function<std::size_t(std::uint64_t offset, std::span<std::uint8_t> out)>;
    HeaderResult ParseHeader(std::uint64_t fileSize, const ReadAt& readAt);
    void ReadTracks(std::span<const std::uint8_t> image);
    void ReadEvent(std::size_t chunkIndex, ByteCursor& bytes);

    void AddChannelEvent(std::size_t track, std::uint8_t status, std::uint8_t data1,
                         std::uint8_t data2, std::uint32_t time);
    void AddSysexEvent(std::size_t track, std::uint8_t status, std::span<const std::uint8_t> data,
                       std::uint32_t time);
    void AddMetaEvent(std::size_t track, std::uint8_t status, std::uint8_t type,
                      std::span<const std::uint8_t> data, std::uint32_t time);

    // Rewrites every text event as a lyric event, "\" as space and "/" as CR.
    void TextToLyric();

    // Writing: 0 on success, -2 when the song cannot be written (a delta time
    // beyond four bytes); then no file is touched. SaveToFile raises FileError
    // when the file cannot be created or written. SaveToFile collects the
    // bytes in a writer the song keeps, so two threads must not save the same
    // song at once.
    SaveResult SaveToFile(const std::string& path) const;
    SaveResult SaveToBytes(std::vector<std::uint8_t>& out) const;

private:
    bool Load(std::span<const std::uint8_t> image, bool wholeFile);
    bool Loaded(HeaderResult result);
    bool ReadDeltaTime(SmfChunk& chunk, ByteCursor& bytes);
    void ReadNextEvent(std::size_t chunkIndex, ByteCursor& bytes);
    void ReadOtherEvent(std::size_t chunkIndex, std::uint8_t status, bool running,
                        std::uint8_t first, ByteCursor& bytes);
    static void FinishChunk(SmfChunk& chunk);
    void ReadChunk(std::size_t chunkIndex, ByteCursor& bytes);
    void MergeChunks(std::vector<ByteCursor>& unread);
    std::size_t TrackFor(std::uint8_t status, std::size_t chunkIndex) const;
    void FinishChannelTracks();
    void ClearTracks();
    void MakeTracks(std::size_t count);

    // The memory of the events, kept from file to file; on the heap, so that
    // the records' references to it survive a move of the song.
    std::unique_ptr<EventPool> pool_ = std::make_unique<EventPool>();
    // The bytes of the last file read (whole, or its head), kept for their
    // capacity, and the writer of the last save, kept for its memory.
    std::vector<std::uint8_t> image_;
    mutable SmfWriter writer_;
};

} // namespace lyricast
