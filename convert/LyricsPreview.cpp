#include "convert/LyricsPreview.h"

#include "platform/CodePageGuess.h"
#include "platform/FileError.h"

#include <algorithm>
#include <new>

namespace lyricast {
namespace {

using Words = LyricsPreview::Words;

Words WordsOf(const WordCounts& counts) {
    if (counts.words > 0 || counts.lyrics > 0)
        return Words::Present;
    return counts.tags > 0 ? Words::TagsOnly : Words::None;
}

// A line's length as the limit counts it: bytes, trailing spaces aside.
std::size_t LengthOf(const std::string& line) {
    const std::size_t last = line.find_last_not_of(' ');
    return last == std::string::npos ? 0 : last + 1;
}

std::size_t CountLongLines(const std::vector<std::string>& lines, std::uint32_t limit) {
    if (limit == 0)
        return 0;
    return static_cast<std::size_t>(
        std::count_if(lines.begin(), lines.end(),
                      [&](const std::string& line) { return LengthOf(line) > limit; }));
}

std::size_t CountLines(const std::vector<std::string>& lines) {
    return static_cast<std::size_t>(std::count_if(
        lines.begin(), lines.end(), [](const std::string& line) { return !line.empty(); }));
}

bool Keyboard(const LyricStyle& style) {
    return style.kind == LyricStyle::Kind::Keyboard;
}

} // namespace

LyricsPreview PreviewLyrics(const TSmfFile& song, const LyricStyle& style) {
    const WordCounts counts = song.CountWords();
    const std::span<const std::uint8_t> title = song.Title();
    LyricsPreview preview;
    preview.words = WordsOf(counts);
    preview.title.assign(title.begin(), title.end());
    ShownLyrics shown =
        Keyboard(style) ? song.ShownForKeyboard(style.lineLength) : song.ShownAsWritten();
    preview.lines = std::move(shown.lines);
    preview.syllables = shown.syllables;
    preview.bothStreams = counts.words > 0 && counts.lyrics > 0;
    // The keyboard style keeps every tag a text event, off the screen.
    preview.tagsAmongWords = !Keyboard(style) && counts.tags > 0;
    if (Keyboard(style) && !shown.lyricEvents)
        preview.longLines = CountLongLines(preview.lines, style.lineLength);
    preview.damaged = song.damaged();
    return preview;
}

std::optional<LyricsPreview> PreviewLyricsOf(const std::string& path, const LyricStyle& style) {
    TSmfFile song;
    try {
        if (!song.LoadFile(path))
            return std::nullopt;
        return PreviewLyrics(song, style);
    } catch (const FileError&) {
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

CodePage GuessLyricsCodePage(const LyricsPreview& preview) {
    std::string text = preview.title;
    for (const std::string& line : preview.lines)
        text += "\n" + line;
    return GuessCodePage(text);
}

DecodedLyrics DecodeLyrics(const LyricsPreview& preview, CodePage chosen) {
    DecodedLyrics decoded;
    decoded.page = chosen == CodePage::Auto ? GuessLyricsCodePage(preview) : chosen;
    const auto decode = [&](const std::string& bytes) {
        DisplayText text = DecodeForDisplay(bytes, decoded.page);
        decoded.valid = decoded.valid && text.valid;
        return std::move(text.utf8);
    };
    decoded.title = decode(preview.title);
    decoded.lines.reserve(preview.lines.size());
    for (const std::string& line : preview.lines)
        decoded.lines.push_back(decode(line));
    return decoded;
}

std::string NotDecodedWarning(CodePage page) {
    return "Some of the text is not valid in " + CodePageCaption(page) + "; it shows as U+FFFD.";
}

std::string LyricsColumnText(const LyricsPreview& preview) {
    if (preview.words == Words::None)
        return "none";
    if (preview.words == Words::TagsOnly)
        return "tags only";
    std::string text = std::to_string(preview.syllables) + " / " +
                       std::to_string(CountLines(preview.lines)) + " lines";
    if (preview.bothStreams)
        text += " (both)";
    return text;
}

std::vector<std::string> LyricsWarnings(const LyricsPreview& preview, const LyricStyle& style) {
    std::vector<std::string> warnings;
    if (preview.words == Words::None)
        warnings.emplace_back("The song has no text or lyric events: no words will show.");
    if (preview.words == Words::TagsOnly)
        warnings.emplace_back(Keyboard(style)
                                  ? "The song's only text is header tags (@...): no words will"
                                    " show."
                                  : "The song's only text is header tags (@...): they will show"
                                    " as lyrics, and no words.");
    if (preview.tagsAmongWords)
        warnings.emplace_back("Header tags (@T, @L, ...) are among the words: they will show as"
                              " lyrics.");
    if (preview.bothStreams)
        warnings.emplace_back(Keyboard(style)
                                  ? "The song has lyric events beside its text words: one of them"
                                    " is shown, the other kept as text."
                                  : "The song has lyric events beside its text words: its words"
                                    " may show twice.");
    if (preview.longLines > 0)
        warnings.push_back(std::to_string(preview.longLines) + " line" +
                           (preview.longLines == 1 ? " is" : "s are") + " longer than " +
                           std::to_string(style.lineLength) + " characters.");
    if (preview.damaged)
        warnings.emplace_back("The file holds damaged data that was passed over: some events may"
                              " be missing.");
    return warnings;
}

} // namespace lyricast
