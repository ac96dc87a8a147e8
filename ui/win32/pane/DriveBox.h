#pragma once

#include "platform/Volumes.h"
#include "ui/win32/Box.h"
#include "window/DriveComboBox.h"

#include <windows.h>

#include <string>
#include <vector>

namespace lyricast {

class FolderList;

// The drive box on the Win32 API: an owner-drawn drop-down list showing the
// entries `core` decides, each drawn with its volume's glyph. The user's
// choice goes to the core, which moves the linked folder list.
class DriveBox : public DriveComboBoxView {
public:
    DriveBox(HWND parent, int id, const Box& box, const VolumeTable& volumes = SystemVolumeTable());
    DriveBox(const DriveBox&) = delete;
    DriveBox& operator=(const DriveBox&) = delete;
    virtual ~DriveBox() = default;

    HWND Handle() const { return handle_; }
    // The entry the user has just chosen, reported to the core.
    void EntryChosen();
    // The folder list this box drives; the link is two-way.
    void SetDirList(FolderList* dirList);

    int EntryCount() const { return static_cast<int>(entries_.size()); }
    const DriveEntry& EntryAt(int index) const {
        return entries_.at(static_cast<std::size_t>(index));
    }
    int SelectedEntry() const;
    static int EntryHeight();
    void Draw(const DRAWITEMSTRUCT& item) const;

    // DriveComboBoxView
    void ShowDrives(const std::vector<DriveEntry>& entries) override;
    void SelectDrive(int index) override;

private:
    HWND handle_;
    std::vector<DriveEntry> entries_;

public:
    DriveComboBox core; // after the handle: it shows its entries at once
};

} // namespace lyricast
