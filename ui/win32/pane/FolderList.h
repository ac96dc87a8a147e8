#pragma once

#include "platform/Volumes.h"
#include "ui/win32/Box.h"
#include "window/DirectoryListBox.h"

#include <windows.h>

#include <vector>

namespace lyricast {

// The folder list on the Win32 API: an owner-drawn list box showing the
// items `core` decides, each with its glyph at its indent. A double-click
// and Enter are reported to the core with the selected item.
class FolderList : public DirectoryListBoxView {
public:
    FolderList(HWND parent, int id, const Box& box,
               const VolumeTable& volumes = SystemVolumeTable());
    FolderList(const FolderList&) = delete;
    FolderList& operator=(const FolderList&) = delete;
    virtual ~FolderList() = default;

    HWND Handle() const { return handle_; }
    int SelectedItem() const;
    // Enter: opens the selected item.
    void OpenCurrent();
    // A double-click on the selected item.
    void DblClick();

    int ItemCount() const { return static_cast<int>(items_.size()); }
    const FolderItem& Item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    static int ItemHeight();
    void Draw(const DRAWITEMSTRUCT& item) const;

    // DirectoryListBoxView
    void ShowItems(const std::vector<FolderItem>& items, int selected) override;

private:
    HWND handle_;
    std::vector<FolderItem> items_;

public:
    DirectoryListBox core; // after the handle: it shows its items at once
};

} // namespace lyricast
