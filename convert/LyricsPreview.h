#pragma once

#include "convert/LyricStyle.h"
#include "engine/TSmfFile.h"
#include "platform/DisplayText.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace lyricast {

// What a song will show in a lyric style, found without converting or
// writing anything.
struct LyricsPreview {
    enum class Words { None, TagsOnly, Present }; // None: no text or lyric events at all
    Words words = Words::None;
    std::string title;              // the song's title bytes, as the keyboard style takes it
    std::vector<std::string> lines; // the lines shown in the style, as bytes; an empty
                                    // one marks a paragraph break
    std::size_t syllables = 0;      // the events the lines are made of
    bool bothStreams = false;       // text words and lyric events both present
    bool tagsAmongWords = false;    // header tags (@T, @L, ...) among the lines shown
    std::size_t longLines = 0;      // lines longer than the style's limit (keyboard, limit > 0)
    bool damaged = false;           // the reader passed over damaged data
};

// A walk of the song's events; the song is not changed.
LyricsPreview PreviewLyrics(const TSmfFile& song, const LyricStyle& style);
// Reads the file once, with the reader a conversion uses; nothing when it
// cannot be read or is no MIDI file.
std::optional<LyricsPreview> PreviewLyricsOf(const std::string& path, const LyricStyle& style);

// The code page the song's title and lines were most likely written in,
// guessed once for the whole song.
CodePage GuessLyricsCodePage(const LyricsPreview& preview);

// The title and lines in UTF-8 for showing, decoded in one code page: the
// one chosen, or for Auto the one guessed for the song.
struct DecodedLyrics {
    CodePage page = CodePage::Utf8;
    std::string title;
    std::vector<std::string> lines;
    bool valid = true; // every byte decoded to a character
};
DecodedLyrics DecodeLyrics(const LyricsPreview& preview, CodePage chosen);
// The warning for text that does not decode in `page`.
std::string NotDecodedWarning(CodePage page);

// The preview in a few words: "214 / 38 lines", "none", "tags only", with
// " (both)" when text words and lyric events are both there.
std::string LyricsColumnText(const LyricsPreview& preview);
// The column's text for a file that no longer reads as a MIDI file.
inline constexpr const char* kUnreadableLyricsText = "unreadable";
// What a user should know before converting, as English sentences.
std::vector<std::string> LyricsWarnings(const LyricsPreview& preview, const LyricStyle& style);

} // namespace lyricast
