#include "window/LyricsPane.h"

#include <algorithm>
#include <utility>

namespace lyricast {
namespace {

std::size_t IndexOf(CodePage page) {
    const auto pages = DisplayCodePages();
    return static_cast<std::size_t>(std::find(pages.begin(), pages.end(), page) - pages.begin());
}

} // namespace

LyricsPane::LyricsPane(LyricsPaneView& view) : view_(view) {}

void LyricsPane::ChooseCodePage(CodePage page) {
    codePage_ = page;
    view_.ShowCodePage(IndexOf(page));
    Draw();
}

void LyricsPane::CodePageComboChange(std::size_t index) {
    const auto pages = DisplayCodePages();
    if (index >= pages.size() || pages[index] == codePage_)
        return;
    codePage_ = pages[index];
    Draw();
}

void LyricsPane::ShowSelection(std::size_t count) {
    if (count == 0)
        return ShowNote("Select a file to see its lyrics.");
    ShowNote(std::to_string(count) + " files selected: select one to see its lyrics.");
}

void LyricsPane::ShowBadFile() {
    ShowNote("This file is \"Bad\": it does not read as a MIDI file, so it has no lyrics.");
}

void LyricsPane::ShowSong(const std::optional<LyricsPreview>& preview, const LyricStyle& style) {
    if (!preview)
        return ShowNote("The file no longer reads as a MIDI file.");
    song_ = preview;
    warnings_ = LyricsWarnings(*preview, style);
    note_.clear();
    Draw();
}

void LyricsPane::ShowNote(std::string note) {
    song_.reset();
    warnings_.clear();
    note_ = std::move(note);
    Draw();
}

// The song's text is decoded anew from its bytes for every code page picked.
void LyricsPane::Draw() {
    if (!song_)
        return view_.ShowLyrics({{}, {}, {}, note_});
    const DecodedLyrics decoded = DecodeLyrics(*song_, codePage_);
    LyricsPaneText text{
        decoded.title.empty() ? "(no title)" : decoded.title, decoded.lines, warnings_, {}};
    if (!decoded.valid)
        text.warnings.push_back(NotDecodedWarning(decoded.page));
    text.note = "Text shown in " + CodePageCaption(decoded.page) +
                (codePage_ == CodePage::Auto ? ", as guessed from its bytes." : ".");
    view_.ShowLyrics(text);
}

} // namespace lyricast
