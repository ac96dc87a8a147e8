#pragma once

#include "engine/EventStore.h"
#include "engine/ShownLyrics.h"
#include "engine/SmfTrack.h"
#include "engine/SmfWriter.h"
#include "engine/TrackEvents.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lyricast {

struct ChunkReader;

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

// Where one track chunk lies in the file, from its header.
struct SmfChunk {
    std::uint32_t length = 0;
    std::size_t readPosition = 0; // offset of its first event's byte in the file image
    std::size_t end = 0;          // the chunk's last byte + 1, clipped to the file's end
};

// One Standard MIDI File in memory, read from disk header only or whole, and
// written out as a format-0 file with one merged track.
class TSmfFile {
public:
    static constexpr std::uint16_t kChannelTrackCount = 17;
    // How much of a file LoadHeader reads at once from its start.
    static constexpr std::size_t kHeadBytes = 16 * 1024;
    // Room kept after a file's bytes for bytes the song adds to them (a
    // title's length and text), so that adding them moves nothing.
    static constexpr std::size_t kAddedBytesRoom = 1 + SmfTrack::kMaxNameLength;

    // At least the most memory that loading a file of `fileBytes` bytes whole,
    // rewriting its text and saving it can take at any one time, the file
    // image included.
    static std::uint64_t MemoryNeededFor(std::uint64_t fileBytes);

    // SmfHeader
    std::uint16_t format = 0;
    std::uint16_t headerTrackCount = 0;
    std::uint16_t division = 0;

    bool loaded = false;
    std::uint16_t trackCount = 0;
    bool splitFormat0 = true;
    bool channelsSplit = false;
    // The code of the last header parse, so callers can tell why a load failed.
    HeaderResult headerResult = kHeaderOk;

    TSmfFile() = default;
    TSmfFile(const TSmfFile&) = delete;
    TSmfFile& operator=(const TSmfFile&) = delete;
    TSmfFile(TSmfFile&&) noexcept = default;
    TSmfFile& operator=(TSmfFile&&) noexcept = default;

    // Forgets the song; allocates nothing, and gives back memory beyond what
    // a song keeps for the next file.
    void Reset() noexcept;
    std::uint16_t GetTrackCount() const { return trackCount; }

    // Reading. The path forms raise FileError when the file cannot be read;
    // LoadHeader reads no more of the file than the headers.
    [[nodiscard]] bool LoadHeader(const std::string& path);
    [[nodiscard]] bool LoadFile(const std::string& path);
    [[nodiscard]] bool LoadHeaderImage(std::span<const std::uint8_t> image);
    [[nodiscard]] bool LoadFileImage(std::span<const std::uint8_t> image);
    HeaderResult ParseHeader(std::span<const std::uint8_t> image);

    // Rewrites every text event as a lyric event, "\" as space and "/" as CR.
    void TextToLyric();
    // Rewrites the song's words as a keyboard shows lyrics: one stream of
    // syllables, "/" and "\" starting one as CR and LF, lines of at most
    // `lineLength` characters where a word allows (0: any length), the title
    // as the song's name and its end where the song ends.
    void LyricsForKeyboard(std::uint32_t lineLength);

    // What the lyric styles will show of the song, read without changing it.
    // The title the keyboard style names the song with: its first "@T" tag's
    // text, else the first record's name.
    std::span<const std::uint8_t> Title() const;
    WordCounts CountWords() const;
    // The lines LyricsForKeyboard(lineLength) gives a keyboard.
    ShownLyrics ShownForKeyboard(std::uint32_t lineLength) const;
    // The lines a player shows of TextToLyric's output: every text and lyric
    // event's.
    ShownLyrics ShownAsWritten() const;
    // The last load passed over damaged data: a chunk cut short by the file's
    // end, or bytes that end inside an event.
    bool damaged() const { return damaged_; }

    // Writing: kSaved, or kSaveNotWritable when the song cannot be written (a
    // delta time or a length beyond four bytes); then the file at `path` is
    // not touched.
    // SaveToFile raises FileError when the file cannot be created or written.
    // SaveToFile writes through a buffer the song keeps, so two threads must
    // not save the same song at once.
    SaveResult SaveToFile(const std::string& path) const;
    SaveResult SaveToBytes(std::vector<std::uint8_t>& out) const;

    // The song as read: its track records and their events.
    const std::vector<SmfTrack>& tracks() const { return tracks_; }
    const EventStore& events() const { return events_; }
    TrackEvents EventsOf(std::size_t track) const { return {events_, tracks_[track]}; }
    std::string_view TrackName(std::size_t track) const;
    // The merged track ends here, or at its last event where that is later.
    std::uint32_t songEnd() const { return songEnd_; }

private:
    // Fills `out` from the file's bytes at `offset` and returns how many it
    // put there: fewer only where the file ends.
    using ReadAt = std::function<std::size_t(std::uint64_t offset, std::span<std::uint8_t> out)>;

    HeaderResult ParseHeader(std::uint64_t fileSize, const ReadAt& readAt);
    bool Load(std::span<const std::uint8_t> image, bool wholeFile);
    bool Loaded(HeaderResult result);
    void MakeTracks(std::size_t count);
    void ReadTracks();
    ChunkReader ReaderOf(const SmfChunk& chunk) const;
    void ReadChunk(std::size_t j);
    void MergeChunks();
    bool ReadNextEvent(std::size_t j, ChunkReader& chunk);
    bool ReadOtherEvent(std::size_t j, std::uint8_t status, bool running, std::uint8_t first,
                        ChunkReader& chunk);
    void FileMetaEvent(std::size_t track, std::uint8_t type, std::uint32_t at,
                       std::span<const std::uint8_t> body, std::uint32_t time);
    void FinishChannelTracks();
    std::size_t MostEvents() const;
    void RewriteText(std::size_t i);

    std::vector<SmfChunk> chunks_;
    std::vector<SmfTrack> tracks_;
    // The events, and the bytes of the last file read (whole, or its head).
    EventStore events_;
    std::size_t textEvents_ = 0; // text events not yet rewritten
    std::size_t lyricEvents_ = 0;
    std::uint32_t lastEndOfTrack_ = 0; // the latest time a chunk's End of Track was read at
    std::uint32_t songEnd_ = 0;
    bool damaged_ = false;
    mutable SmfWriter writer_;
};

} // namespace lyricast
