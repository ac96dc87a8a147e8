#pragma once

#include "convert/LyricStyle.h"
#include "convert/LyricsPreview.h"
#include "platform/DisplayText.h"
#include "window/LyricsPaneView.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace lyricast {

// What the lyrics pane below the file list decides: the selected song's
// title, lines and warnings in the lyric style, its text decoded for showing
// in the code page the user picks (the song's bytes never change), or a word
// on why no song is shown.
class LyricsPane {
public:
    explicit LyricsPane(LyricsPaneView& view);
    LyricsPane(const LyricsPane&) = delete;
    LyricsPane& operator=(const LyricsPane&) = delete;

    CodePage Chosen() const { return codePage_; }
    // A code page given back from the settings.
    void ChooseCodePage(CodePage page);
    // The user picked the code page at `index` of DisplayCodePages.
    void CodePageComboChange(std::size_t index);

    // No row selected, or `count` rows.
    void ShowSelection(std::size_t count);
    void ShowBadFile();
    // The one selected song's preview in `style`; nothing when it no longer reads.
    void ShowSong(const std::optional<LyricsPreview>& preview, const LyricStyle& style);

private:
    void ShowNote(std::string note);
    void Draw();

    LyricsPaneView& view_;
    CodePage codePage_ = CodePage::Auto;
    std::optional<LyricsPreview> song_;
    std::vector<std::string> warnings_; // the song's own, in its style
    std::string note_;                  // when there is no song
};

} // namespace lyricast
