#include "ui/win32/pane/PaneDrawing.h"

#include "ui/win32/pane/DriveBox.h"
#include "ui/win32/pane/FolderList.h"

namespace lyricast {

std::optional<LRESULT> PaneDrawing(UINT message, LPARAM lParam, const DriveBox* driveBox,
                                   const FolderList* folderList) {
    if (message == WM_MEASUREITEM) {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_COMBOBOX)
            item.itemHeight = static_cast<UINT>(DriveBox::EntryHeight());
        if (item.CtlType == ODT_LISTBOX)
            item.itemHeight = static_cast<UINT>(FolderList::ItemHeight());
        return TRUE;
    }
    if (message != WM_DRAWITEM)
        return std::nullopt;
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (driveBox != nullptr && item.hwndItem == driveBox->Handle())
        driveBox->Draw(item);
    if (folderList != nullptr && item.hwndItem == folderList->Handle())
        folderList->Draw(item);
    return TRUE;
}

} // namespace lyricast
