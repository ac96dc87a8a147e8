// Real files cut at every length, and changed one byte at a time, through the
// whole conversion: load, rewrite, save. Run under the sanitizers, this finds
// any read past a cut; the checks below find a cut event that is filed
// anyway, a header verdict that depends on how much of the file is read, and
// a save that writes a broken frame or merges the records otherwise by the
// writer's queue than by its sort.
#include "engine/TSmfFile.h"

#include "support/Corpus.h"
#include "support/OutputFrame.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace lyricast {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kWhole = SIZE_MAX;

struct LadderFile {
    const char* path;
    std::size_t upTo; // the longest prefix tried: each costs a load under the sanitizers
};

// Between them: format 0 and 1, running status, text events with slashes and
// backslashes, system-exclusive resets, a meta event whose length takes two
// bytes, an empty chunk and a chunk without End of Track.
const LadderFile kLadderFiles[] = {
    {"kar/Happy-Birthday-To-You-4.kar", 2200},
    {"mid/JZZ_test.mid", kWhole},
    {"mid/dmidiplayer_test.mid", kWhole},
    {"mid/MIDIOkFormat1-lyrics.mid", kWhole},
    {"malformed/SysExTest.mid", kWhole},
    {"mid/Ef-A_Tale_of_Memories-Eternal_Feather.mid", 2000},
    {"mid/MorozovS07.mid", 1500},
};

void PrintTo(const LadderFile& file, std::ostream* out) {
    *out << file.path;
}

// Small enough to change every byte.
const char* const kChangedFiles[] = {
    "mid/JZZ_test.mid",
    "mid/dmidiplayer_test.mid",
    "mid/MIDIOkFormat1-lyrics.mid",
    "malformed/SysExTest.mid",
};

std::uint32_t U32At(const Bytes& bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
           std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

// The track chunk headers of a well-formed file: (offset, data length).
std::vector<std::pair<std::size_t, std::uint32_t>> ChunkHeaders(const Bytes& file) {
    std::vector<std::pair<std::size_t, std::uint32_t>> headers;
    const std::size_t count = std::size_t{file[10]} << 8 | file[11];
    std::size_t at = 14;
    for (std::size_t i = 0; i < count; ++i) {
        headers.emplace_back(at, U32At(file, at + 4));
        at += 8 + headers.back().second;
    }
    return headers;
}

// A prefix loads exactly when it holds the header and every chunk header.
std::size_t HeadersEnd(const Bytes& file) {
    const auto headers = ChunkHeaders(file);
    return headers.empty() ? 14 : headers.back().first + 8;
}

// The first `length` bytes, with the header's chunk count lowered to the
// chunk headers they still hold, so that the cut falls inside any chunk, not
// only the last.
Bytes CutAt(const Bytes& file, std::size_t length) {
    Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
    if (length < 14)
        return cut;
    std::size_t held = 0;
    for (const auto& header : ChunkHeaders(file))
        if (header.first + 8 <= length)
            ++held;
    cut[10] = static_cast<std::uint8_t>(held >> 8);
    cut[11] = static_cast<std::uint8_t>(held);
    return cut;
}

bool SameEvent(const SmfEvent& a, const SmfEvent& b) {
    return a.time == b.time && a.status == b.status && a.data1 == b.data1 && a.data2 == b.data2 &&
           std::ranges::equal(a.body, b.body);
}

// What the reader made of a cut file is a beginning of what it makes of the
// whole file: the events before the cut, in the same order, and nothing in
// place of the event the cut went through. Records are cut short with the
// events, and End of Track events are not among them, since a cut record is
// closed earlier (or, unsplit, not at all). This holds where each record is
// fed by one chunk: every file of the ladder is format 1, or format 0 with
// one chunk.
::testing::AssertionResult EventsBegin(const TSmfFile& whole, const TSmfFile& cut) {
    if (cut.tracks().size() > whole.tracks().size())
        return ::testing::AssertionFailure()
               << cut.tracks().size() << " records, more than " << whole.tracks().size();
    const EventStore& part = cut.events();
    const EventStore& full = whole.events();
    if (part.size() > full.size())
        return ::testing::AssertionFailure() << part.size() << " events, more than " << full.size();
    for (std::size_t i = 0; i < part.size(); ++i)
        if (!SameEvent(part.At(i), full.At(i)))
            return ::testing::AssertionFailure()
                   << "event " << i << " differs (time " << part.time(i) << ")";
    for (std::size_t t = 0; t < cut.tracks().size(); ++t) {
        const SmfTrack& shorter = cut.tracks()[t];
        const SmfTrack& longer = whole.tracks()[t];
        if (shorter.first() != shorter.end() &&
            (shorter.first() != longer.first() || shorter.end() > longer.end() ||
             shorter.channel() != longer.channel()))
            return ::testing::AssertionFailure() << "record " << t << " is not the whole's, cut";
    }
    return ::testing::AssertionSuccess();
}

// The frame every save must have, whatever song it holds.
::testing::AssertionResult WellFramed(const Bytes& out, std::uint16_t division) {
    if (const auto problem = test::FrameProblem(out, division))
        return ::testing::AssertionFailure() << *problem;
    return ::testing::AssertionSuccess();
}

// One image through both loads, the rewrite and the save. Returns whether
// the whole-file load succeeded; `song` holds the rewritten song then.
bool ConvertImage(std::span<const std::uint8_t> image, TSmfFile& song) {
    TSmfFile header;
    const bool headerLoaded = header.LoadHeaderImage(image);
    const bool loaded = song.LoadFileImage(image);
    // The scan's verdict must not depend on how much of the file it reads.
    EXPECT_EQ(headerLoaded, loaded);
    EXPECT_EQ(header.headerResult, song.headerResult);
    if (!loaded)
        return false;
    EXPECT_EQ(header.GetTrackCount(), song.GetTrackCount());

    song.TextToLyric();
    Bytes out;
    const SaveResult saved = song.SaveToBytes(out);
    EXPECT_TRUE(saved == kSaved || saved == kSaveNotWritable) << saved;
    if (saved == kSaved) {
        EXPECT_TRUE(WellFramed(out, song.division));
    }
    // The writer's queue must merge every song as its sort does.
    SmfWriter byQueue;
    const TrackResult queued = byQueue.WriteMergedTrack(song, nullptr, MergeBy::Queue);
    EXPECT_EQ(queued == TrackResult::Written, saved == kSaved);
    if (saved == kSaved) {
        EXPECT_EQ(byQueue.Take(), out) << "the queue merged the records otherwise";
    }
    return true;
}

Bytes ReadCorpusFile(const char* name) {
    const auto path = test::CorpusDir() / name;
    if (!std::filesystem::is_regular_file(path)) {
        ADD_FAILURE() << path << " is missing from the corpus";
        return {};
    }
    return test::ReadBytes(path.string());
}

std::string TestName(const char* path) {
    std::string name = path;
    name = name.substr(name.find('/') + 1);
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

class TruncatedCorpusFile : public ::testing::TestWithParam<LadderFile> {};

TEST_P(TruncatedCorpusFile, HeaderVerdictNeedsEveryChunkHeader) {
    SKIP_WITHOUT_CORPUS();
    const Bytes file = ReadCorpusFile(GetParam().path);
    ASSERT_FALSE(file.empty());
    const std::size_t headersEnd = HeadersEnd(file);
    // Past the last chunk header the verdict cannot change any more.
    const std::size_t longest = std::min(file.size(), std::max(GetParam().upTo, headersEnd + 64));
    TSmfFile song;
    for (std::size_t length = 0; length <= longest; ++length) {
        SCOPED_TRACE("prefix of " + std::to_string(length) + " bytes");
        ASSERT_EQ(song.LoadHeaderImage(std::span(file.data(), length)), length >= headersEnd);
        if (length < headersEnd) {
            ASSERT_EQ(song.headerResult, length < 14 ? kHeaderNotMidi : kHeaderDamagedChunk);
        }
    }
}

TEST_P(TruncatedCorpusFile, EveryCutLoadsWhatItHoldsAndNothingMore) {
    SKIP_WITHOUT_CORPUS();
    const Bytes file = ReadCorpusFile(GetParam().path);
    ASSERT_FALSE(file.empty());
    TSmfFile whole;
    ASSERT_TRUE(whole.LoadFileImage(file));

    TSmfFile cut;
    for (std::size_t length = 14; length <= std::min(file.size(), GetParam().upTo); ++length) {
        SCOPED_TRACE("cut after " + std::to_string(length) + " bytes");
        const Bytes image = CutAt(file, length);
        ASSERT_TRUE(cut.LoadFileImage(image));
        ASSERT_TRUE(EventsBegin(whole, cut));
        ASSERT_TRUE(ConvertImage(image, cut));
        if (HasFailure())
            return; // one cut's report is enough
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, TruncatedCorpusFile, ::testing::ValuesIn(kLadderFiles),
                         [](const auto& file) { return TestName(file.param.path); });

class ChangedCorpusFile : public ::testing::TestWithParam<const char*> {};

TEST_P(ChangedCorpusFile, EverySingleByteChangeConvertsOrIsRefused) {
    SKIP_WITHOUT_CORPUS();
    Bytes file = ReadCorpusFile(GetParam());
    ASSERT_FALSE(file.empty());
    // Values that mean most to the reader: data, status, End of Track, the
    // edges of running status, system exclusive, realtime, meta.
    const std::uint8_t values[] = {0x00, 0x2F, 0x7F, 0x80, 0xC0, 0xF0, 0xF8, 0xFF};
    TSmfFile song;
    for (std::size_t at = 0; at < file.size(); ++at) {
        const std::uint8_t original = file[at];
        for (const std::uint8_t value : values) {
            if (value == original)
                continue;
            SCOPED_TRACE("byte " + std::to_string(at) + " set to " + std::to_string(value));
            file[at] = value;
            ConvertImage(file, song);
            if (HasFailure())
                return;
        }
        file[at] = original;
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, ChangedCorpusFile, ::testing::ValuesIn(kChangedFiles),
                         [](const auto& file) { return TestName(file.param); });

} // namespace
} // namespace lyricast
