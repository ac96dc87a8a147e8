// A karaoke file's words as the lyric events a keyboard follows: a syllable
// an event, a space ending a word, a carriage return a line and a line feed
// a paragraph. In a karaoke file an "@" text is a header tag, not a word, and
// a "/" or "\" starting a syllable marks a line or a paragraph.
#include "engine/SyllableStreams.h"
#include "engine/TSmfFile.h"

#include <algorithm>

namespace lyricast {
namespace {

// The word becomes a lyric event, its line and paragraph marks mapped.
void MapMarks(EventStore& events, std::size_t i) {
    events.SetType(i, kMetaLyric);
    const std::span<std::uint8_t> text = events.BodyOf(i);
    if (!text.empty())
        text[0] = KeyboardByte(text[0], true);
}

// Leaves one stream of syllables to be shown: the words, made lyric events
// with their marks mapped, or the lyric events of the record holding the
// most. Every other lyric event becomes a text event with its bytes as they
// are, so that no syllable shows twice and none is lost.
void ChooseStream(EventStore& events, std::span<const SmfTrack> tracks, std::size_t syllables,
                  const Streams& streams) {
    const bool lyricsWin = streams.LyricsWin();
    ForEachSyllable(events, tracks, syllables, [&](std::size_t record, std::size_t i) {
        if (events.data1(i) == kMetaLyric) {
            if (!lyricsWin || record != streams.lyrics.record)
                events.SetType(i, kMetaText);
        } else if (!lyricsWin && record == streams.words.record && !IsTag(events.BodyOf(i))) {
            MapMarks(events, i);
        }
        return true;
    });
}

// Breaks the lines of the lyric events of `record` that run longer than
// `longest` characters, a byte each.
void WrapLines(EventStore& events, const SmfTrack& record, std::uint32_t longest) {
    LineBreaker<std::uint8_t*> line(longest);
    for (std::size_t i = record.first(); i < record.end(); ++i) {
        if (events.status(i) != kMetaStatus || events.data1(i) != kMetaLyric)
            continue;
        for (std::uint8_t& c : events.BodyOf(i))
            if (const auto space = line.Read(c, &c))
                **space = '\r';
    }
}

// Puts an event first in the run of `record`; every run after it moves on.
void InsertFirst(EventStore& events, std::span<SmfTrack> tracks, std::size_t record,
                 std::uint32_t time, std::uint8_t type, std::uint32_t at) {
    const std::uint32_t place = tracks[record].first();
    events.Insert(place, time, kMetaStatus, type, at);
    for (std::size_t r = 0; r < tracks.size(); ++r) {
        SmfTrack& track = tracks[r];
        if (r == record) {
            track.SetRun(place, track.end() + 1);
            continue;
        }
        const std::uint32_t first = track.first() >= place ? track.first() + 1 : track.first();
        const std::uint32_t end = track.end() > place ? track.end() + 1 : track.end();
        track.SetRun(first, std::max(first, end));
    }
}

// Writes the title as the song's name at its start, ahead of every other
// event. Its bytes go in the room the song keeps after the file's. The
// events have room for one more: whatever the title comes from takes five
// bytes or more of its chunk and is one event at most, and the song holds
// room for one event for every two bytes of its chunks.
void NameSong(EventStore& events, std::span<SmfTrack> tracks, std::span<const std::uint8_t> title) {
    if (title.empty())
        return;
    std::vector<std::uint8_t>& bytes = events.bytes();
    const auto from = static_cast<std::size_t>(title.data() - bytes.data());
    const std::size_t length = title.size(); // a name's length: one byte says it
    const std::size_t at = bytes.size();
    bytes.resize(at + 1 + length);
    bytes[at] = static_cast<std::uint8_t>(length);
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(from), length,
                bytes.begin() + static_cast<std::ptrdiff_t>(at + 1));
    InsertFirst(events, tracks, 0, 0, kMetaTrackName, static_cast<std::uint32_t>(at));
}

} // namespace

void TSmfFile::LyricsForKeyboard(std::uint32_t lineLength) {
    const std::size_t syllables = textEvents_ + lyricEvents_;
    const Streams streams = FindStreams(events_, tracks_, syllables);
    const std::span<const std::uint8_t> title = FindTitle(events_, tracks_, syllables);
    ChooseStream(events_, tracks_, syllables, streams);
    if (lineLength > 0 && streams.words.count > 0 && !streams.LyricsWin())
        WrapLines(events_, tracks_[streams.words.record], lineLength);
    NameSong(events_, tracks_, title);
    // The song ends with its last End of Track, where a fade or a count-out
    // may still sound after the last event.
    songEnd_ = lastEndOfTrack_;
}

} // namespace lyricast
