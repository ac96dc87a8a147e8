#include "ui/win32/pane/FolderList.h"

#include "ui/win32/Controls.h"
#include "ui/win32/pane/ItemDrawing.h"

#include <algorithm>

namespace lyricast {

FolderList::FolderList(HWND parent, int id, const Box& box, const VolumeTable& volumes)
    : handle_(CreateChild(parent, "LISTBOX", "",
                          WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                              LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT,
                          box, id, WS_EX_CLIENTEDGE)),
      core(*this, volumes) {
    core.BuildList();
}

int FolderList::SelectedItem() const {
    return static_cast<int>(SendMessageW(handle_, LB_GETCURSEL, 0, 0));
}

void FolderList::OpenCurrent() {
    core.OpenCurrent(SelectedItem());
}

void FolderList::DblClick() {
    core.DblClick(SelectedItem());
}

int FolderList::ItemHeight() {
    return std::max<int>(UiTextHeight(), GlyphSize(GlyphName::OpenFolder).cy + 1);
}

// The glyph at the item's indent, centred vertically; the text 4 pixels
// after it, at the item's top.
void FolderList::Draw(const DRAWITEMSTRUCT& item) const {
    const int index = static_cast<int>(item.itemID);
    if (index < 0 || index >= ItemCount())
        return;
    const FolderItem& shown = Item(index);
    const GlyphName glyph = GlyphOfLadderItem(shown.kind);
    DrawListItem(
        item,
        {glyph, shown.indent, shown.indent + static_cast<int>(GlyphSize(glyph).cx) + 4, false},
        shown.text);
}

void FolderList::ShowItems(const std::vector<FolderItem>& items, int selected) {
    items_ = items;
    SendMessageW(handle_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(handle_, LB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < items_.size(); ++i)
        SendMessageW(handle_, LB_ADDSTRING, 0, 0);
    SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageW(handle_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle_, nullptr, TRUE);
}

} // namespace lyricast
