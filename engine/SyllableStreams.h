#pragma once

// What the keyboard lyric style reads of a song before it writes anything:
// which syllables are its words, its title, and where a line grows too long.
// The conversion and the read-only look at what it will show share them.
#include "engine/EventStore.h"
#include "engine/SmfEvent.h"
#include "engine/SmfTrack.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

namespace lyricast {

// The syllables of one kind (words, or lyric events) in one record.
struct Stream {
    std::size_t record = 0;
    std::size_t count = 0;
};

// The record holding the most words (text events that are no tag) and the
// one holding the most lyric events, the first of those holding as many.
struct Streams {
    Stream words;
    Stream lyrics;

    // Lyric events already there are the song's words only where they
    // outnumber its text; else the text is, as in any karaoke file.
    bool LyricsWin() const { return lyrics.count > words.count; }
};

inline bool IsTag(std::span<const std::uint8_t> text) {
    return !text.empty() && text[0] == '@';
}

// Under the channel split every meta event is record 0's.
inline bool MayHoldMeta(const SmfTrack& record) {
    return record.ownsEveryEvent() || record.channel() == 0;
}

// Calls visit(record, i) for each text and lyric event, record by record and
// in order within each, for as long as it returns true. `syllables` is how
// many the song holds, so the walk ends with the last of them: karaoke files
// keep them in their first tracks.
template <class Visit>
void ForEachSyllable(const EventStore& events, std::span<const SmfTrack> tracks,
                     std::size_t syllables, Visit visit) {
    for (std::size_t r = 0; r < tracks.size() && syllables > 0; ++r) {
        if (!MayHoldMeta(tracks[r]))
            continue;
        for (std::size_t i = tracks[r].first(); i < tracks[r].end() && syllables > 0; ++i) {
            if (events.status(i) != kMetaStatus)
                continue;
            const std::uint8_t type = events.data1(i);
            if (type != kMetaText && type != kMetaLyric)
                continue;
            --syllables;
            if (!visit(r, i))
                return;
        }
    }
}

// Finds the words, and the lyric events there are already.
Streams FindStreams(const EventStore& events, std::span<const SmfTrack> tracks,
                    std::size_t syllables);

// The song's title, as much as a name holds: the text of its first "@T" tag
// that has any, else the first record's name.
std::span<const std::uint8_t> FindTitle(const EventStore& events, std::span<const SmfTrack> tracks,
                                        std::size_t syllables);

// What a byte of a word means on a keyboard: a "/" starting a syllable
// begins a line (CR) and a "\" a paragraph (LF); anywhere else they are
// part of the text ("AC/DC").
inline std::uint8_t KeyboardByte(std::uint8_t c, bool startsSyllable) {
    if (startsSyllable && c == '/')
        return '\r';
    if (startsSyllable && c == '\\')
        return '\n';
    return c;
}

// Where a line stands as its bytes are read: its length so far, and the
// last space on it that follows a word, which becomes a carriage return when
// the word after it would pass the longest line. A line's first word stays
// on it whatever its length. `Place` is how the caller finds a byte again.
template <class Place> class LineBreaker {
public:
    explicit LineBreaker(std::uint32_t longest) : longest_(longest) {}

    // Reads byte `c`, found at `at`; returns the place of the space that
    // becomes a carriage return, if reading it breaks the line there.
    std::optional<Place> Read(std::uint8_t c, Place at) {
        if (c == '\r' || c == '\n') {
            length_ = 0;
            space_.reset();
            wordSeen_ = false;
            return std::nullopt;
        }
        ++length_;
        if (c == ' ') {
            if (wordSeen_) {
                space_ = at;
                lengthToSpace_ = length_;
            }
            return std::nullopt;
        }
        wordSeen_ = true;
        if (length_ <= longest_ || !space_)
            return std::nullopt;
        length_ -= lengthToSpace_;
        return std::exchange(space_, std::nullopt);
    }

private:
    std::uint32_t longest_;
    std::uint32_t length_ = 0;
    std::uint32_t lengthToSpace_ = 0;
    std::optional<Place> space_;
    bool wordSeen_ = false;
};

} // namespace lyricast
