// What the lyric styles will show of a song, read without changing it: the
// keyboard style's lines come from the same choice of stream and the same
// line breaking as its conversion.
#include "engine/SyllableStreams.h"
#include "engine/TSmfFile.h"

#include <algorithm>

namespace lyricast {
namespace {

// Lays the bytes a keyboard is sent out in lines: a carriage return ends a
// line, a line feed a paragraph; a line too long is broken where the line
// breaker says. A break with nothing on the line before it shows nothing.
class LineLayout {
public:
    explicit LineLayout(std::uint32_t longest) : breaker_(longest), wraps_(longest > 0) {}

    void Read(std::uint8_t c) {
        if (c == '\r' || c == '\n') {
            if (wraps_)
                breaker_.Read(c, 0);
            EndLine();
            if (c == '\n' && !lines_.empty() && !lines_.back().empty())
                lines_.emplace_back();
            return;
        }
        current_.push_back(static_cast<char>(c));
        if (!wraps_)
            return;
        if (const auto space = breaker_.Read(c, current_.size() - 1)) {
            lines_.push_back(current_.substr(0, *space));
            current_.erase(0, *space + 1);
        }
    }

    std::vector<std::string> Finish() {
        EndLine();
        if (!lines_.empty() && lines_.back().empty())
            lines_.pop_back();
        return std::move(lines_);
    }

private:
    void EndLine() {
        if (!current_.empty())
            lines_.push_back(std::move(current_));
        current_.clear();
    }

    LineBreaker<std::size_t> breaker_;
    bool wraps_;
    std::string current_;
    std::vector<std::string> lines_;
};

} // namespace

std::span<const std::uint8_t> TSmfFile::Title() const {
    return FindTitle(events_, tracks_, textEvents_ + lyricEvents_);
}

WordCounts TSmfFile::CountWords() const {
    WordCounts counts;
    ForEachSyllable(events_, tracks_, textEvents_ + lyricEvents_, [&](std::size_t, std::size_t i) {
        if (events_.data1(i) == kMetaLyric)
            ++counts.lyrics;
        else if (IsTag(events_.BodyOf(i)))
            ++counts.tags;
        else
            ++counts.words;
        return true;
    });
    return counts;
}

// The words, mapped as the conversion maps them, or the lyric events of
// the record holding the most, as they are; the lines of the words only are
// broken at the longest line.
ShownLyrics TSmfFile::ShownForKeyboard(std::uint32_t lineLength) const {
    const std::size_t syllables = textEvents_ + lyricEvents_;
    const Streams streams = FindStreams(events_, tracks_, syllables);
    const bool lyricsWin = streams.LyricsWin();
    const Stream shown = lyricsWin ? streams.lyrics : streams.words;
    ShownLyrics result;
    result.lyricEvents = lyricsWin;
    if (shown.count == 0)
        return result;
    LineLayout layout(lyricsWin ? 0 : lineLength);
    ForEachSyllable(events_, tracks_, syllables, [&](std::size_t record, std::size_t i) {
        if (record != shown.record)
            return record < shown.record;
        const std::span<const std::uint8_t> text = events_.BodyOf(i);
        const bool lyric = events_.data1(i) == kMetaLyric;
        if (lyric != lyricsWin || (!lyric && IsTag(text)))
            return true;
        ++result.syllables;
        for (std::size_t k = 0; k < text.size(); ++k)
            layout.Read(lyric ? text[k] : KeyboardByte(text[k], k == 0));
        return true;
    });
    result.lines = layout.Finish();
    return result;
}

// Every text event, "/" a new line and "\" a space, and every lyric event as
// it is, in the order the merged track plays them (by time, and at one time
// in the order of the records).
ShownLyrics TSmfFile::ShownAsWritten() const {
    std::vector<std::uint32_t> texts;
    ForEachSyllable(events_, tracks_, textEvents_ + lyricEvents_, [&](std::size_t, std::size_t i) {
        texts.push_back(static_cast<std::uint32_t>(i));
        return true;
    });
    std::stable_sort(texts.begin(), texts.end(), [&](std::uint32_t a, std::uint32_t b) {
        return events_.time(a) < events_.time(b);
    });
    ShownLyrics result;
    result.syllables = texts.size();
    result.lyricEvents = lyricEvents_ > 0;
    LineLayout layout(0);
    for (const std::uint32_t i : texts) {
        const bool text = events_.data1(i) == kMetaText;
        for (const std::uint8_t c : events_.BodyOf(i))
            layout.Read(!text ? c : c == '/' ? '\r' : c == '\\' ? ' ' : c);
    }
    result.lines = layout.Finish();
    return result;
}

} // namespace lyricast
