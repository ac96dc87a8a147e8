#include "ui/win32/pane/DriveBox.h"

#include "ui/win32/Controls.h"
#include "ui/win32/WideText.h"
#include "ui/win32/pane/FolderList.h"
#include "ui/win32/pane/ItemDrawing.h"

#include <algorithm>

namespace lyricast {
namespace {

constexpr int kDroppedHeight = 200;

} // namespace

DriveBox::DriveBox(HWND parent, int id, const Box& box, const VolumeTable& volumes)
    : handle_(CreateChild(parent, "COMBOBOX", "",
                          WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                              CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                          {box.x, box.y, box.width, kDroppedHeight}, id)),
      core(*this, volumes) {
    core.BuildList();
}

void DriveBox::EntryChosen() {
    core.EntryChosen(SelectedEntry());
}

void DriveBox::SetDirList(FolderList* dirList) {
    core.SetDirList(dirList != nullptr ? &dirList->core : nullptr);
}

int DriveBox::SelectedEntry() const {
    return static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
}

int DriveBox::EntryHeight() {
    return std::max<int>(UiTextHeight(), GlyphSize(GlyphName::Floppy).cy);
}

// The glyph 2 pixels in, the caption 6 pixels after it, both centred vertically.
void DriveBox::Draw(const DRAWITEMSTRUCT& item) const {
    const int index = static_cast<int>(item.itemID);
    if (index < 0 || index >= EntryCount())
        return;
    const GlyphName glyph = GlyphOfVolume(EntryAt(index).kind);
    DrawListItem(item, {glyph, 2, 2 + static_cast<int>(GlyphSize(glyph).cx) + 6, true},
                 EntryAt(index).caption);
}

void DriveBox::ShowDrives(const std::vector<DriveEntry>& entries) {
    entries_ = entries;
    SendMessageW(handle_, CB_RESETCONTENT, 0, 0);
    for (const DriveEntry& entry : entries_) {
        SendMessageW(handle_, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Wide(entry.caption).c_str()));
    }
}

void DriveBox::SelectDrive(int index) {
    SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

} // namespace lyricast
