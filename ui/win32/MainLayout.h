#pragma once

#include "ui/win32/Box.h"

namespace lyricast {

// Where the main window's parts go in a client area of a given size: the
// folder pane on the left (as wide as the splitter left it), the splitter,
// the file list, the bottom bar with the progress bar and the convert button
// docked right, and the status bar at the very bottom.
struct MainLayout {
    Box leftPane, driveBox, folderList, splitter, listPane, fileList;
    Box bottomBar, progressBar, convertButton;
};

inline constexpr int kClientWidth = 781;
inline constexpr int kClientHeight = 464;
inline constexpr int kLeftPaneWidth = 233;
inline constexpr int kSplitterWidth = 4;
inline constexpr int kBottomBarHeight = 28;
inline constexpr int kButtonPanelWidth = 209;
inline constexpr int kStatusPanelWidth = 300;

MainLayout LayOutMainWindow(int clientWidth, int clientHeight, int statusHeight, int leftWidth);

// The left pane's width for a splitter dragged to `wanted`: each side keeps
// some room.
int ClampLeftWidth(int wanted, int clientWidth);

} // namespace lyricast
