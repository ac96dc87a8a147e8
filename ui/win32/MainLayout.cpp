#include "ui/win32/MainLayout.h"

#include <algorithm>

namespace lyricast {
namespace {

constexpr int kBevel = 1;        // the panels' raised edge
constexpr int kDriveStrip = 33;  // the drive box's strip at the top of the left pane
constexpr int kMinimumSide = 40; // what the splitter leaves to either side

Box Inside(const Box& panel) {
    return {panel.x + kBevel, panel.y + kBevel, std::max(0, panel.width - 2 * kBevel),
            std::max(0, panel.height - 2 * kBevel)};
}

} // namespace

MainLayout LayOutMainWindow(int clientWidth, int clientHeight, int statusHeight, int leftWidth) {
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
    layout.fileList = Inside(layout.listPane);
    layout.bottomBar = {0, paneHeight, clientWidth, kBottomBarHeight};
    const int buttonPanel = clientWidth - kButtonPanelWidth;
    layout.progressBar = {0, paneHeight, std::max(0, buttonPanel), kBottomBarHeight};
    layout.convertButton = {buttonPanel + 30, paneHeight + 2, 163, 25};
    return layout;
}

int ClampLeftWidth(int wanted, int clientWidth) {
    return std::clamp(wanted, kMinimumSide,
                      std::max(kMinimumSide, clientWidth - kSplitterWidth - kMinimumSide));
}

} // namespace lyricast
