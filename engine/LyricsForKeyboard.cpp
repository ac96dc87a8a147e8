// A karaoke file's words as the lyric events a keyboard follows: a syllable
// an event, a space ending a word, a carriage return a line and a line feed
// a paragraph. In a karaoke file an "@" text is a header tag, not a word, and
// a "/" or "\" starting a syllable marks a line or a paragraph.
#include "engine/TSmfFile.h"

#include <algorithm>

namespace lyricast {
namespace {

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

bool IsTag(std::span<const std::uint8_t> text) {
    return !text.empty() && text[0] == '@';
}

// Under the channel split every meta event is record 0's.
bool MayHoldMeta(const SmfTrack& record) {
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

void KeepMost(Stream& most, const Stream& here) {
    if (here.count > most.count)
        most = here;
}

// Finds the words, and the lyric events there are already.
Streams FindStreams(const EventStore& events, std::span<const SmfTrack> tracks,
                    std::size_t syllables) {
    Streams most;
    Streams here; // of the record being counted
    const auto keep = [&] {
        KeepMost(most.words, here.words);
        KeepMost(most.lyrics, here.lyrics);
    };
    ForEachSyllable(events, tracks, syllables, [&](std::size_t record, std::size_t i) {
        if (record != here.words.record) {
            keep();
            here = {{record, 0}, {record, 0}};
        }
        if (events.data1(i) == kMetaLyric)
            ++here.lyrics.count;
        else if (!IsTag(events.BodyOf(i)))
            ++here.words.count;
        return true;
    });
    keep();
    return most;
}

// A "/" starting a syllable begins a line and a "\" a paragraph; anywhere
// else they are part of the text ("AC/DC").
void MapMarks(EventStore& events, std::size_t i) {
    events.SetType(i, kMetaLyric);
    const std::span<std::uint8_t> text = events.BodyOf(i);
    if (text.empty())
        return;
    if (text[0] == '/')
        text[0] = '\r';
    else if (text[0] == '\\')
        text[0] = '\n';
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

// Where a line stands as its syllables are read: its length so far, and the
// last space on it that follows a word, which becomes a carriage return when
// the word after it would pass the longest line. A line's first word stays
// on it whatever its length.
class LineBreaker {
public:
    explicit LineBreaker(std::uint32_t longest) : longest_(longest) {}

    void Read(std::span<std::uint8_t> syllable) {
        for (std::uint8_t& c : syllable)
            Read(c);
    }

private:
    void Read(std::uint8_t& c) {
        if (c == '\r' || c == '\n') {
            length_ = 0;
            space_ = nullptr;
            wordSeen_ = false;
            return;
        }
        ++length_;
        if (c == ' ') {
            if (wordSeen_) {
                space_ = &c;
                lengthToSpace_ = length_;
            }
            return;
        }
        wordSeen_ = true;
        if (length_ > longest_ && space_ != nullptr) {
            *space_ = '\r';
            length_ -= lengthToSpace_;
            space_ = nullptr;
        }
    }

    std::uint32_t longest_;
    std::uint32_t length_ = 0;
    std::uint32_t lengthToSpace_ = 0;
    std::uint8_t* space_ = nullptr;
    bool wordSeen_ = false;
};

// Breaks the lines of the lyric events of `record` that run longer than
// `longest` characters, a byte each.
void WrapLines(EventStore& events, const SmfTrack& record, std::uint32_t longest) {
    LineBreaker line(longest);
    for (std::size_t i = record.first(); i < record.end(); ++i)
        if (events.status(i) == kMetaStatus && events.data1(i) == kMetaLyric)
            line.Read(events.BodyOf(i));
}

// The song's title, as much as a name holds: the text of its first "@T" tag
// that has any, else the first record's name.
std::span<const std::uint8_t> FindTitle(const EventStore& events, std::span<const SmfTrack> tracks,
                                        std::size_t syllables) {
    std::span<const std::uint8_t> title;
    ForEachSyllable(events, tracks, syllables, [&](std::size_t, std::size_t i) {
        const std::span<const std::uint8_t> text = events.BodyOf(i);
        if (events.data1(i) != kMetaText || text.size() < 2 || text[0] != '@' || text[1] != 'T')
            return true;
        title = text.subspan(2, NameLengthOf(text.subspan(2)));
        return title.empty();
    });
    if (title.empty() && !tracks.empty() && tracks[0].named())
        title = std::span(events.bytes()).subspan(tracks[0].nameAt(), tracks[0].nameLength());
    return title;
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
