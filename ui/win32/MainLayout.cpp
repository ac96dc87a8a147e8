#include "ui/win32/MainLayout.h"

#include <algorithm>

namespace lyricast {
namespace {

constexpr int kBevel = 1;        // the panels' raised edge
constexpr int kDriveStrip = 33;  // the drive box's strip at the top of the left pane
constexpr int kMinimumSide = 40; // what the splitter leaves to either side
constexpr int kTextLine = 15;    // a line of the ui font's text
constexpr int kMostWarningLines = 3;
constexpr int kCodePageBoxWidth = 150;
constexpr int kCodePageCaptionWidth = 62;

Box Inside(const Box& panel) {
    return {panel.x + kBevel, panel.y + kBevel, std::max(0, panel.width - 2 * kBevel),
            std::max(0, panel.height - 2 * kBevel)};
}

} // namespace

MainLayout LayOutMainWindow(int clientWidth, int clientHeight, int statusHeight, int leftWidth,
                            int lyricsHeight) {
    MainLayout layout;
    const int paneHeight = std::max(0, clientHeight - statusHeight - kBottomBarHeight);
    layout.leftPane = {0, 0, leftWidth, paneHeight};
    const Box left = Inside(layout.leftPane);
    layout.driveBox = {left.x + 6, left.y + 5, 225, 19};
    layout.folderList = {left.x, left.y + kDriveStrip, left.width,
                         std::max(0, left.height - kDriveStrip)};
    layout.splitter = {leftWidth, 0, kSplitterWidth, paneHeight};
    const int listLeft = leftWidth + kSplitterWidth;
    layout.listPane = {listLeft, 0, std::max(0, clientWidth - listLeft), paneHeight};
    const Box list = Inside(layout.listPane);
    lyricsHeight = ClampLyricsHeight(lyricsHeight, list.height);
    const int listHeight = std::max(0, list.height - kSplitterWidth - lyricsHeight);
    layout.fileList = {list.x, list.y, list.width, listHeight};
    layout.lyricsSplitter = {list.x, list.y + listHeight, list.width, kSplitterWidth};
    layout.lyricsPane = {list.x, list.y + listHeight + kSplitterWidth, list.width, lyricsHeight};
    layout.bottomBar = {0, paneHeight, clientWidth, kBottomBarHeight};
    const int buttonPanel = clientWidth - kButtonPanelWidth;
    layout.progressBar = {0, paneHeight, std::max(0, buttonPanel), kBottomBarHeight};
    layout.convertButton = {buttonPanel + 30, paneHeight + 2, 163, 25};
    return layout;
}

LyricsPaneLayout LayOutLyricsPane(const Box& pane, int warningLines) {
    LyricsPaneLayout layout;
    const int right = pane.x + pane.width - 4;
    layout.codePageBox = {right - kCodePageBoxWidth, pane.y + 3, kCodePageBoxWidth, 200};
    layout.codePageCaption = {layout.codePageBox.x - kCodePageCaptionWidth - 4, pane.y + 6,
                              kCodePageCaptionWidth, kTextLine};
    layout.title = {pane.x + 4, pane.y + 6, std::max(0, layout.codePageCaption.x - pane.x - 8),
                    kTextLine};
    const int foot = pane.y + pane.height - 2;
    layout.note = {pane.x + 4, foot - kTextLine, std::max(0, pane.width - 8), kTextLine};
    const int warningsHeight = std::clamp(warningLines, 0, kMostWarningLines) * kTextLine;
    layout.warnings = {pane.x + 4, layout.note.y - warningsHeight - 2, layout.note.width,
                       warningsHeight};
    const int top = pane.y + 28;
    layout.lines = {pane.x + 4, top, layout.note.width, std::max(0, layout.warnings.y - 2 - top)};
    return layout;
}

int ClampLyricsHeight(int wanted, int paneHeight) {
    return std::clamp(wanted, kMinimumSide,
                      std::max(kMinimumSide, paneHeight - kSplitterWidth - kMinimumSide));
}

int ClampLeftWidth(int wanted, int clientWidth) {
    return std::clamp(wanted, kMinimumSide,
                      std::max(kMinimumSide, clientWidth - kSplitterWidth - kMinimumSide));
}

} // namespace lyricast
