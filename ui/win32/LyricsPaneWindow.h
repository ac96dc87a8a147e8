#pragma once

#include "ui/win32/MainLayout.h"
#include "window/LyricsPane.h"
#include "window/LyricsPaneView.h"

#include <windows.h>

namespace lyricast {

// The lyrics pane below the file list on the Win32 API, as child windows of
// the main window: the song's title, the code page box, its lines in a
// read-only box that scrolls, its warnings and a note. It draws what `core`
// decides; the main window hands it the code page box's changes.
class LyricsPaneWindow final : public LyricsPaneView {
public:
    // The children's ids start at `firstId`: title, caption, box, lines, warnings, note.
    LyricsPaneWindow(HWND parent, int firstId, const Box& pane);

    // The pane's place in its parent; its parts are laid out in it.
    void Place(const Box& pane);
    LyricsPaneLayout Layout() const { return LayOutLyricsPane(pane_, warningLines_); }
    // The code page box's selection changed (its CBN_SELCHANGE).
    void CodePageBoxChange();
    // The warnings are drawn in a colour of their own (their WM_CTLCOLORSTATIC).
    bool IsWarnings(HWND control) const { return control == warnings; }

    HWND title, codePageCaption, codePageBox, lines, warnings, note;
    LyricsPane core{*this};

    // LyricsPaneView
    void ShowLyrics(const LyricsPaneText& text) override;
    void ShowCodePage(std::size_t index) override;

private:
    LyricsPaneWindow(HWND parent, int firstId, const Box& pane, const LyricsPaneLayout& layout);

    Box pane_;
    int warningLines_ = 0; // the warnings shown take as many lines
};

} // namespace lyricast
