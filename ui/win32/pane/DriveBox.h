#pragma once

#include "platform/Volumes.h"
#include "ui/win32/Box.h"

#include <windows.h>

#include <string>
#include <vector>

namespace lyricast {

class FolderList;

// The drive box: an owner-drawn drop-down list with one entry per volume,
// drawn with the volume's glyph. Choosing an entry sets the drive, which moves
// the linked folder list to that volume's own current folder. A drive is
// named by its volume's root ("c:\"). Errors (a drive that cannot be entered)
// are raised as DirectoryError from SetDrive.
class DriveBox {
public:
    DriveBox(HWND parent, int id, const Box& box, const VolumeTable& volumes = SystemVolumeTable());
    DriveBox(const DriveBox&) = delete;
    DriveBox& operator=(const DriveBox&) = delete;

    HWND Handle() const { return handle_; }
    // The root of the selected volume, empty for none.
    const std::string& Drive() const { return drive_; }
    // Selects the volume of `root` (empty clears the selection) and tells the
    // linked folder list; nothing happens when that drive is already selected.
    void SetDrive(const std::string& root);
    // The user's choice: the entry now selected.
    void EntryChosen();
    // The folder list this box drives; the link is two-way.
    void SetDirList(FolderList* dirList);

    int EntryCount() const { return static_cast<int>(entries_.size()); }
    const Volume& VolumeAt(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    std::string EntryText(int index) const;
    int SelectedEntry() const;
    static int EntryHeight();
    void Draw(const DRAWITEMSTRUCT& item) const;

private:
    void BuildList();

    HWND handle_;
    const VolumeTable* volumes_;
    std::vector<Volume> entries_;
    std::string drive_;
    FolderList* dirList_ = nullptr;
};

} // namespace lyricast
