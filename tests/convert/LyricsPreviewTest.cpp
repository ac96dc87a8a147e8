#include "convert/LyricsPreview.h"
#include "support/Corpus.h"
#include "support/SmfBuilder.h"
#include "support/SongText.h"

#include <gtest/gtest.h>

namespace lyricast {
namespace {

using namespace test;

// A meta event at delta 0 with its text (shorter than 128 bytes).
Bytes Meta(std::uint8_t type, std::string_view text) {
    Bytes event = {0x00, kMetaStatus, type, static_cast<std::uint8_t>(text.size())};
    event.insert(event.end(), text.begin(), text.end());
    return event;
}
Bytes Texts(std::initializer_list<std::string_view> texts) {
    Bytes events;
    for (const std::string_view text : texts)
        events = events + Meta(kMetaText, text);
    return events;
}
Bytes Lyrics(std::initializer_list<std::string_view> texts) {
    Bytes events;
    for (const std::string_view text : texts)
        events = events + Meta(kMetaLyric, text);
    return events;
}
const Bytes kNotes = Hex("00 90 3c 64  60 80 3c 40");
const Bytes kEnd = Hex("00 ff 2f 00");

const LyricStyle kAsWritten{};
LyricStyle Keyboard(std::uint32_t lineLength = 0) {
    return {LyricStyle::Kind::Keyboard, lineLength};
}

LyricsPreview Preview(const Bytes& image, const LyricStyle& style) {
    return PreviewLyrics(Loaded(image), style);
}

// A karaoke song: tags and a credit in one track, the words in another.
const Bytes kKaraoke =
    Smf(1, {
               Track(Texts({"@KMIDI KARAOKE FILE", "@TImagine"}) + kEnd),
               Track(Texts({"@LENGL", "\\I", "ma", "gine ", "there's ", "/no ", "hea", "ven"}) +
                     kNotes + kEnd),
           });

TEST(LyricsPreview, TheColumnSaysWhatEachKindOfSongGives) {
    const struct {
        const char* what;
        Bytes file;
        LyricStyle style;
        const char* column;
    } cases[] = {
        {"notes only", Smf(1, {Track(kNotes + kEnd)}), Keyboard(), "none"},
        {"tags only", Smf(1, {Track(Texts({"@KMIDI KARAOKE FILE", "@Tx"}) + kNotes + kEnd)}),
         Keyboard(), "tags only"},
        {"a karaoke song", kKaraoke, Keyboard(), "7 / 2 lines"},
        {"as written, tags and all", kKaraoke, kAsWritten, "10 / 2 lines"},
        {"lyric events only", Smf(0, {Track(Lyrics({"Hel", "lo\r", "you"}) + kEnd)}), Keyboard(),
         "3 / 2 lines"},
        {"both streams", Smf(1, {Track(Texts({"a", "b"}) + kEnd), Track(Lyrics({"a"}) + kEnd)}),
         Keyboard(), "2 / 1 lines (both)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LyricsColumnText(Preview(c.file, c.style)), c.column) << c.what;
}

TEST(LyricsPreview, KeyboardLinesFollowTheMarksAndTheTitleIsTheTag) {
    const LyricsPreview preview = Preview(kKaraoke, Keyboard());
    EXPECT_EQ(preview.title, "Imagine");
    EXPECT_EQ(preview.lines, (Lines{"Imagine there's ", "no heaven"}));
    EXPECT_EQ(preview.words, LyricsPreview::Words::Present);
    EXPECT_FALSE(preview.tagsAmongWords) << "the keyboard style keeps tags off the screen";
    EXPECT_TRUE(LyricsWarnings(preview, Keyboard()).empty());
}

// As written every text becomes a lyric: the tags show, "/" starts a line
// wherever it is and "\" is a space.
TEST(LyricsPreview, AsWrittenShowsEveryTextInTimeOrder) {
    const LyricsPreview preview =
        Preview(Smf(1, {Track(Texts({"@Tx"}) + Hex("60 ff 01 03 41 2f 42") + kEnd),
                        Track(Texts({"\\a", "b"}) + kEnd)}),
                kAsWritten);
    EXPECT_EQ(preview.lines, (Lines{"@Tx abA", "B"}))
        << "what is at time 0 in both tracks comes before the track's later text";
    EXPECT_TRUE(preview.tagsAmongWords);
    EXPECT_EQ(LyricsWarnings(preview, kAsWritten).size(), 1u);
}

TEST(LyricsPreview, ParagraphsAreMarkedByAnEmptyLine) {
    const LyricsPreview preview = Preview(
        Smf(1, {Track(Texts({"\\One ", "/two ", "\\Three", "\\", "/Four"}) + kEnd)}), Keyboard());
    EXPECT_EQ(preview.lines, (Lines{"One ", "two ", "", "Three", "", "Four"}));
}

TEST(LyricsPreview, LongLinesAreBrokenAsTheConversionBreaksThem) {
    const Bytes song =
        Smf(1, {Track(Texts({"one ", "two ", "three ", "four ", "fivefivefive ", "six"}) + kEnd)});
    const LyricsPreview wrapped = Preview(song, Keyboard(9));
    EXPECT_EQ(wrapped.lines, (Lines{"one two", "three", "four", "fivefivefive", "six"}));
    EXPECT_EQ(wrapped.longLines, 1u) << "a word longer than the limit keeps its line";
    const auto warnings = LyricsWarnings(wrapped, Keyboard(9));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "1 line is longer than 9 characters.");
    EXPECT_EQ(Preview(song, Keyboard()).lines.size(), 1u) << "no limit, one line";
}

TEST(LyricsPreview, WarningsNameWhatAUserShouldKnow) {
    const Bytes both = Smf(1, {Track(Texts({"a", "b"}) + kEnd), Track(Lyrics({"a"}) + kEnd)});
    EXPECT_TRUE(Preview(both, Keyboard()).bothStreams);
    EXPECT_EQ(LyricsWarnings(Preview(both, kAsWritten), kAsWritten),
              (Lines{"The song has lyric events beside its text words: its words may show"
                     " twice."}));
    EXPECT_EQ(LyricsWarnings(Preview(Smf(1, {Track(kNotes + kEnd)}), kAsWritten), kAsWritten),
              (Lines{"The song has no text or lyric events: no words will show."}));
    // The chunk says 40 bytes; the file ends after 12 of them.
    Bytes cut = Header(1, 1) + Hex("4d 54 72 6b 00 00 00 28") + Texts({"la"}) + kNotes;
    const LyricsPreview damaged = Preview(cut, Keyboard());
    EXPECT_TRUE(damaged.damaged);
    EXPECT_EQ(damaged.lines, (Lines{"la"}));
    EXPECT_FALSE(Preview(kKaraoke, Keyboard()).damaged);
}

// One guess for the whole song, title and lines together.
TEST(LyricsPreview, DecodedLyricsTakeOnePageForTheSong) {
    const LyricsPreview preview = Preview(
        Smf(1, {Track(Texts({"@T\xcb\xe5\xf2\xee", "\xf1\xee\xeb", "/\xed\xf6\xe5"}) + kEnd)}),
        Keyboard());
    const DecodedLyrics guessed = DecodeLyrics(preview, CodePage::Auto);
    EXPECT_EQ(guessed.page, CodePage::Cyrillic1251);
    EXPECT_EQ(guessed.title, "Лето");
    EXPECT_EQ(guessed.lines, (Lines{"сол", "нце"}));
    EXPECT_TRUE(guessed.valid);
    const DecodedLyrics chosen = DecodeLyrics(preview, CodePage::Utf8);
    EXPECT_EQ(chosen.page, CodePage::Utf8);
    EXPECT_FALSE(chosen.valid);
    EXPECT_EQ(NotDecodedWarning(chosen.page),
              "Some of the text is not valid in UTF-8; it shows as U+FFFD.");
}

TEST(LyricsPreview, AFileThatCannotBeReadGivesNothing) {
    EXPECT_EQ(PreviewLyricsOf("/nonexistent/song.kar", Keyboard()), std::nullopt);
}

// The lines a keyboard shows of a converted song: its lyric events, a CR
// ending a line and an LF a paragraph.
Lines ShownByKeyboard(const TSmfFile& converted) {
    Lines lines;
    std::string line;
    const auto end = [&] {
        if (!line.empty())
            lines.push_back(line);
        line.clear();
    };
    for (const SmfEvent& event : converted.EventsOf(0)) {
        if (!event.IsMeta(kMetaLyric))
            continue;
        for (const std::uint8_t c : event.body) {
            if (c == '\r' || c == '\n') {
                end();
                if (c == '\n' && !lines.empty() && !lines.back().empty())
                    lines.emplace_back();
            } else {
                line.push_back(static_cast<char>(c));
            }
        }
    }
    end();
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

// The preview's lines are the converted file's, for every song of the corpus.
TEST(LyricsPreview, KeyboardLinesAreTheConversionsOnTheCorpus) {
    SKIP_WITHOUT_CORPUS();
    int compared = 0;
    for (const auto& path : CorpusFiles()) {
        TSmfFile song;
        if (!song.LoadFile(path.string()))
            continue;
        const LyricsPreview preview = PreviewLyrics(song, Keyboard(40));
        song.LyricsForKeyboard(40);
        Bytes out;
        if (song.SaveToBytes(out) != kSaved)
            continue;
        EXPECT_EQ(ShownByKeyboard(Loaded(out)), preview.lines) << path;
        ++compared;
    }
    EXPECT_GT(compared, 100);
}

TEST(LyricsPreview, AutoFindsTheCodePageOfCorpusSongs) {
    SKIP_WITHOUT_CORPUS();
    const struct {
        const char* file;
        CodePage page;
    } songs[] = {
        {"mid/SORAKARA.mid", CodePage::ShiftJis},
        {"mid/muz.mid", CodePage::Cyrillic1251},
        {"mid/mua_he_xanh.mid", CodePage::Vietnamese1258},
        {"mid/Sa077.mid", CodePage::Thai874},
        {"kar/Enya-May_It_Be.kar", CodePage::Western1252},
        {"kar/B._CARLYLE_Butterfly_kisses.kar", CodePage::Western1252},
        {"mid/01.mid", CodePage::Utf8},
    };
    for (const auto& song : songs) {
        for (const LyricStyle& style : {kAsWritten, Keyboard()}) {
            const auto preview = PreviewLyricsOf((CorpusDir() / song.file).string(), style);
            ASSERT_TRUE(preview) << song.file;
            EXPECT_EQ(CodePageKey(GuessLyricsCodePage(*preview)), CodePageKey(song.page))
                << song.file;
        }
    }
}

} // namespace
} // namespace lyricast
