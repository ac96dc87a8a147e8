#include "engine/TSmfFile.h"
#include "support/SmfBuilder.h"
#include "support/SongText.h"

#include <gtest/gtest.h>

namespace lyricast {
namespace {

using namespace test;

// A meta event at delta 0 with its text: "00 ff TYPE LENGTH TEXT", the
// length in one byte or, from 128 on, two.
Bytes Meta(std::uint8_t type, std::string_view text) {
    Bytes event = {0x00, kMetaStatus, type};
    if (text.size() >= 0x80)
        event.push_back(static_cast<std::uint8_t>(0x80 | text.size() >> 7));
    event.push_back(static_cast<std::uint8_t>(text.size() & 0x7F));
    event.insert(event.end(), text.begin(), text.end());
    return event;
}
Bytes Text(std::string_view text) {
    return Meta(kMetaText, text);
}
Bytes Lyric(std::string_view text) {
    return Meta(kMetaLyric, text);
}
const Bytes kEnd = Hex("00 ff 2f 00");

// Each event of a record: a text or lyric event as "text TEXT" or "lyric
// TEXT", any other as its time and bytes.
Lines Shown(const TSmfFile& song, std::size_t record) {
    Lines lines;
    for (const SmfEvent& event : song.EventsOf(record)) {
        const bool text = event.IsMeta(kMetaText);
        if (text || event.IsMeta(kMetaLyric))
            lines.push_back((text ? "text " : "lyric ") +
                            std::string(event.body.begin(), event.body.end()));
        else
            lines.push_back(Describe(event));
    }
    return lines;
}

TSmfFile Keyboard(const Bytes& image, std::uint32_t lineLength = 0) {
    TSmfFile song = Loaded(image);
    song.LyricsForKeyboard(lineLength);
    return song;
}

Bytes Saved(const TSmfFile& song) {
    Bytes out;
    EXPECT_EQ(song.SaveToBytes(out), kSaved);
    return out;
}

// The words are the text events, tags aside, of the record that holds the
// most of them: only they become lyrics, and only a mark at a syllable's
// start is one. Every other text keeps its type and bytes.
TEST(KeyboardWords, OnlyTheWordsOfTheWordsTrackBecomeLyrics) {
    const TSmfFile song =
        Keyboard(Smf(1, {
                            Track(Text("@KMIDI KARAOKE FILE") + Text("Sequenced by A/B") + kEnd),
                            Track(Text("@LENGL") + Text("\\Hel") + Text("lo ") + Text("@Tinside") +
                                  Text("/AC/DC\\") + Text("") + kEnd),
                            Track(Text("bXkvZG9j/dW1lbnQ=") + Text("/x") + kEnd),
                        }));
    EXPECT_EQ(Shown(song, 0), (Lines{"0: ff 03 69 6e 73 69 64 65", "text @KMIDI KARAOKE FILE",
                                     "text Sequenced by A/B", "0: ff 2f"}))
        << "the title, from the tag in the words track, comes first";
    EXPECT_EQ(Shown(song, 1), (Lines{"text @LENGL", "lyric \nHel", "lyric lo ", "text @Tinside",
                                     "lyric \rAC/DC\\", "lyric ", "0: ff 2f"}));
    EXPECT_EQ(Shown(song, 2), (Lines{"text bXkvZG9j/dW1lbnQ=", "text /x", "0: ff 2f"}))
        << "an embedded document keeps its slashes";
}

TEST(KeyboardWords, MarksAreMappedWhereverTheWordsLie) {
    struct Case {
        const char* what;
        Bytes file;
        std::size_t record;
        Lines shown;
    };
    const Case cases[] = {
        {"paragraph marks only",
         Smf(1, {Track(Text("\\One ") + Text("two") + Text("\\three") + kEnd)}),
         0,
         {"lyric \nOne ", "lyric two", "lyric \nthree", "0: ff 2f"}},
        {"a format-0 file: its words are record 0's, its notes stay on their channels",
         Smf(0, {Track(Text("@TSong") + Hex("00 91 3c 64") + Text("/la") + Hex("10 81 3c 40") +
                       Text("\\li") + kEnd)}),
         0,
         {"0: ff 03 53 6f 6e 67", "text @TSong", "lyric \rla", "lyric \nli", "16: ff 2f"}},
        {"the first of two tracks with as many words",
         Smf(1, {Track(Text("/a") + kEnd), Track(Text("/b") + kEnd)}),
         0,
         {"lyric \ra", "0: ff 2f"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Shown(Keyboard(c.file), c.record), c.shown);
    }
    EXPECT_EQ(Shown(Keyboard(cases[1].file), 1),
              (Lines{"0: 91 3c 64", "16: 81 3c 40", "16: ff 2f"}));
}

// One stream of syllables is shown: the lyric events where those of one
// record outnumber the words, else the words. Every other lyric event
// becomes a text event with its bytes, so none shows twice and none is lost.
TEST(KeyboardStreams, OneStreamOfSyllablesIsShown) {
    struct Case {
        const char* what;
        Bytes file;
        std::vector<Lines> records;
    };
    const Case cases[] = {
        {"text wins over fewer lyrics",
         Smf(1, {Track(Text("\\Te ") + Text("re") + Text("/ga") + kEnd),
                 Track(Lyric("Te ") + Lyric("rega") + kEnd)}),
         {{"lyric \nTe ", "lyric re", "lyric \rga", "0: ff 2f"},
          {"text Te ", "text rega", "0: ff 2f"}}},
        {"as many lyrics as words: text wins",
         Smf(1, {Track(Lyric("a") + Lyric("b") + kEnd), Track(Text("/a") + Text("b") + kEnd)}),
         {{"text a", "text b", "0: ff 2f"}, {"lyric \ra", "lyric b", "0: ff 2f"}}},
        {"lyrics win over fewer words, which stay as they are",
         Smf(1, {Track(Text("@TTitle") + Text("\\Te ") + Text("/ga") + kEnd),
                 Track(Lyric("Te ") + Lyric("re") + Lyric("ga\r") + kEnd)}),
         {{"0: ff 03 54 69 74 6c 65", "text @TTitle", "text \\Te ", "text /ga", "0: ff 2f"},
          {"lyric Te ", "lyric re", "lyric ga\r", "0: ff 2f"}}},
        {"of two lyric streams, the longer is shown",
         Smf(1, {Track(Lyric("A ") + Lyric("child") + kEnd),
                 Track(Lyric("A ") + Lyric("chi") + Lyric("ld") + kEnd), Track(Text("/x") + kEnd)}),
         {{"text A ", "text child", "0: ff 2f"},
          {"lyric A ", "lyric chi", "lyric ld", "0: ff 2f"},
          {"text /x", "0: ff 2f"}}},
        {"both in one record of a format-0 file, text winning",
         Smf(0, {Track(Lyric("x") + Text("/a") + Text("b") + kEnd)}),
         {{"text x", "lyric \ra", "lyric b", "0: ff 2f"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TSmfFile song = Keyboard(c.file);
        for (std::size_t r = 0; r < c.records.size(); ++r)
            EXPECT_EQ(Shown(song, r), c.records[r]) << "record " << r;
    }
}

// The title is written as the song's name, first at time 0: the first "@T"
// tag's text, else the first record's name, which the reader holds apart
// from the events.
TEST(KeyboardTitle, TheTitleIsTheSongsNameAtItsStart) {
    const std::string longTitle(130, 'x');
    struct Case {
        const char* what;
        Bytes file;
        Bytes track; // the output's events up to its End of Track
    };
    const Case cases[] = {
        {"from the first @T tag with a text, wherever it lies",
         Smf(1, {Track(Hex("00 ff 03 04 43 6f 6e 64  00 90 3c 64") + kEnd),
                 Track(Text("@T") + Text("@TImagine") + Text("@TJohn Lennon") + kEnd)}),
         Meta(kMetaTrackName, "Imagine") + Hex("00 90 3c 64") + Text("@T") + Text("@TImagine") +
             Text("@TJohn Lennon")},
        {"from the first record's name",
         Smf(1, {Track(Hex("00 90 3c 64  00 ff 03 04 43 6f 6e 64") + kEnd),
                 Track(Meta(kMetaTrackName, "Words") + Text("@KMIDI") + kEnd)}),
         Meta(kMetaTrackName, "Cond") + Hex("00 90 3c 64") + Text("@KMIDI")},
        {"none: no name is written",
         Smf(1, {Track(Hex("00 90 3c 64") + kEnd), Track(Meta(kMetaTrackName, "Piano") + kEnd)}),
         Hex("00 90 3c 64")},
        {"a title longer than a name holds is cut as a name is",
         Smf(1, {Track(Text("@T" + longTitle) + kEnd)}),
         Meta(kMetaTrackName, longTitle.substr(0, 127)) + Text("@T" + longTitle)},
        {"a format-0 file whose first events are on other channels",
         Smf(0, {Track(Hex("00 93 3c 64  10 ff 03 02 4f 6e  00 83 3c 40") + kEnd)}),
         Meta(kMetaTrackName, "On") + Hex("00 93 3c 64  10 83 3c 40")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Bytes out = Saved(Keyboard(c.file));
        EXPECT_EQ(out, Header(0, 1) + Track(c.track + kEnd));
    }
}

// The output ends where the song does: at the latest End of Track of the
// source's chunks, never before its last event.
TEST(KeyboardEnd, TheSongEndsAtItsLatestEndOfTrack) {
    struct Case {
        const char* what;
        Bytes file;
        Bytes track; // the output's events and End of Track
    };
    const Case cases[] = {
        {"a count-out after the last note",
         Smf(1, {Track("00 90 3c 64  60 80 3c 40  83 60 ff 2f 00")}),
         Hex("00 90 3c 64  60 80 3c 40  83 60 ff 2f 00")},
        {"the latest of the chunks' ends",
         Smf(1, {Track("8f 00 ff 2f 00"), Track("00 90 3c 64  60 80 3c 40  00 ff 2f 00")}),
         Hex("00 90 3c 64  60 80 3c 40  8e 20 ff 2f 00")},
        {"a format-0 file split over its channels",
         Smf(0, {Track("00 90 3c 64  60 81 3c 40  83 60 ff 2f 00")}),
         Hex("00 90 3c 64  60 81 3c 40  83 60 ff 2f 00")},
        {"an End of Track before the last note, which a chunk without one holds",
         Smf(1, {Track("00 90 3c 64  10 ff 2f 00"), Track("00 91 3c 64  60 81 3c 40")}),
         Hex("00 90 3c 64  00 91 3c 64  60 81 3c 40  00 ff 2f 00")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Saved(Keyboard(c.file)), Header(0, 1) + Track(c.track));
    }
    // An end further on than a delta time can say (past events that are not
    // kept) is not written at all.
    Bytes out;
    EXPECT_EQ(
        Keyboard(Smf(1, {Track("00 90 3c 64  00 ff 2f 00"), Track("ff ff ff 7f f8  10 ff 2f 00")}))
            .SaveToBytes(out),
        kSaveNotWritable);
}

// With a longest line, a line that would run longer is broken with a
// carriage return before the word that passes it, the space before that
// word becoming the break; a word longer than a line stays whole.
TEST(KeyboardLines, LongLinesBreakBeforeTheWordThatPassesTheLimit) {
    struct Case {
        const char* what;
        std::vector<std::string_view> syllables;
        std::uint32_t longest;
        Lines shown;
    };
    const Case cases[] = {
        {"a line of exactly the limit",
         {"\\ab ", "cd ", "ef"},
         8,
         {"lyric \nab ", "lyric cd ", "lyric ef"}},
        {"one more word: broken at the space that ends the syllable before",
         {"\\ab ", "cd ", "ef ", "g"},
         8,
         {"lyric \nab ", "lyric cd ", "lyric ef\r", "lyric g"}},
        {"a word of many syllables moves whole, its space starting it",
         {"ab", " cd", "ef", "gh"},
         5,
         {"lyric ab", "lyric \rcd", "lyric ef", "lyric gh"}},
        {"a word longer than a line stays whole, and the next goes on a line of its own",
         {"ab ", "abcdefghij ", "c"},
         4,
         {"lyric ab\r", "lyric abcdefghij\r", "lyric c"}},
        {"line marks start the count again",
         {"abc ", "/def ", "gh"},
         6,
         {"lyric abc ", "lyric \rdef ", "lyric gh"}},
        {"a line's leading spaces are no place for a break",
         {"/ ", "abcdefgh"},
         4,
         {"lyric \r ", "lyric abcdefgh"}},
        {"no limit", {"abc ", "def ", "ghi"}, 0, {"lyric abc ", "lyric def ", "lyric ghi"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes events;
        for (const std::string_view syllable : c.syllables)
            events = events + Text(syllable);
        Lines shown = c.shown;
        shown.push_back("0: ff 2f");
        EXPECT_EQ(Shown(Keyboard(Smf(1, {Track(events + kEnd)}), c.longest), 0), shown);
    }
    // Lyric events that win are the file's own lines, left as they are.
    const TSmfFile song = Keyboard(Smf(1, {Track(Lyric("abc ") + Lyric("def") + kEnd)}), 3);
    EXPECT_EQ(Shown(song, 0), (Lines{"lyric abc ", "lyric def", "0: ff 2f"}));
}

// The title moves every event after it one place on: both ways the writer
// merges the records still find each record's own.
TEST(KeyboardTitle, SortAndQueueWriteTheSameSong) {
    const TSmfFile song = Keyboard(Smf(0, {Track(Hex("00 92 3c 64") + Text("@TSong") + Text("/la") +
                                                 Hex("10 82 3c 40  83 60 ff 2f 00")),
                                           Track(Hex("00 95 3c 64") + kEnd)}));
    SmfWriter queue;
    ASSERT_EQ(queue.WriteMergedTrack(song, nullptr, MergeBy::Queue), TrackResult::Written);
    EXPECT_EQ(queue.Take(), Saved(song));
}

} // namespace
} // namespace lyricast
