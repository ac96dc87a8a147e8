#pragma once

#include "ui/win32/Box.h"

namespace lyricast {

// Where the lyrics pane's parts go: the song's title and the code page box
// along its top, the lines below them, the warnings (as many lines as there
// are, up to three, then they scroll) and the note at its foot.
struct LyricsPaneLayout {
    Box title, codePageCaption, codePageBox, lines, warnings, note;
};

// Where the main window's parts go in a client area of a given size: the
// folder pane on the left (as wide as the splitter left it), the splitter,
// the file list above the lyrics pane (as high as its own splitter left it),
// the bottom bar with the progress bar and the convert button docked right,
// and the status bar at the very bottom.
struct MainLayout {
    Box leftPane, driveBox, folderList, splitter, listPane, fileList;
    Box lyricsSplitter, lyricsPane;
    Box bottomBar, progressBar, convertButton;
};

inline constexpr int kClientWidth = 781;
inline constexpr int kClientHeight = 464;
inline constexpr int kLeftPaneWidth = 233;
inline constexpr int kSplitterWidth = 4;
inline constexpr int kBottomBarHeight = 28;
inline constexpr int kButtonPanelWidth = 209;
inline constexpr int kStatusPanelWidth = 300;
inline constexpr int kLyricsPaneHeight = 150;

MainLayout LayOutMainWindow(int clientWidth, int clientHeight, int statusHeight, int leftWidth,
                            int lyricsHeight = kLyricsPaneHeight);

LyricsPaneLayout LayOutLyricsPane(const Box& pane, int warningLines);

// The left pane's width for a splitter dragged to `wanted`: each side keeps
// some room.
int ClampLeftWidth(int wanted, int clientWidth);
// The lyrics pane's height for its splitter dragged to `wanted` pixels above
// the foot of a list pane `paneHeight` high: the list and the pane keep some room.
int ClampLyricsHeight(int wanted, int paneHeight);

} // namespace lyricast
