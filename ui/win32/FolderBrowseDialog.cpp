#include "ui/win32/FolderBrowseDialog.h"

#include "ui/win32/Controls.h"
#include "ui/win32/ErrorBox.h"
#include "ui/win32/NameDialog.h"
#include "ui/win32/WideText.h"
#include "ui/win32/pane/PaneDrawing.h"
#include "window/AppInfo.h"
#include "window/ErrorBox.h"

namespace lyricast {

FolderBrowseDialog::FolderBrowseDialog(const std::string& title, std::string startFolder)
    : Dialog(title, 360, 400), browse(*this), startFolder_(std::move(startFolder)) {}

void FolderBrowseDialog::Create() {
    HWND dialog = Handle();
    CreateChild(dialog, "STATIC", "&Drive:", WS_VISIBLE, {10, 10, 340, 16}, kDriveLabel);
    driveBox_ = std::make_unique<DriveBox>(dialog, kDriveBox, Box{10, 28, 340, 19});
    CreateChild(dialog, "STATIC", "&Folder:", WS_VISIBLE, {10, 60, 340, 16}, kFolderLabel);
    folderList_ = std::make_unique<FolderList>(dialog, kFolderList, Box{10, 78, 340, 272});
    driveBox_->SetDirList(folderList_.get());
    CreateChild(dialog, "BUTTON", "&New Folder...", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                {10, 362, 100, 25}, kNewFolder);
    CreateChild(dialog, "BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, {180, 362, 80, 25},
                kOk);
    CreateChild(dialog, "BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                {270, 362, 80, 25}, IDCANCEL);
    browse.Start(folderList_->core, startFolder_);
    SetFocus(folderList_->Handle());
}

// Enter (IDOK: no button has that id) belongs to the folder list, which opens
// the chosen folder with it.
void FolderBrowseDialog::Command(int id, int code) {
    DialogErrors errors{Handle()};
    if (id == kDriveBox && (code == CBN_SELENDOK || code == CBN_SELCHANGE))
        return CallHandler(errors, [this] { driveBox_->EntryChosen(); });
    if (id == kFolderList && code == LBN_DBLCLK)
        return CallHandler(errors, [this] { folderList_->DblClick(); });
    if (id == IDOK && GetFocus() == folderList_->Handle())
        return CallHandler(errors, [this] { folderList_->OpenCurrent(); });
    if (code != BN_CLICKED)
        return;
    if (id == kOk || id == IDOK)
        return Accept();
    if (id == kNewFolder)
        return CallHandler(errors, [this] { browse.NewFolderClick(); });
    if (id == IDCANCEL)
        End(IDCANCEL);
}

std::optional<INT_PTR> FolderBrowseDialog::Message(UINT message, WPARAM, LPARAM lParam) {
    const std::optional<LRESULT> drawn =
        PaneDrawing(message, lParam, driveBox_.get(), folderList_.get());
    if (drawn)
        return static_cast<INT_PTR>(*drawn);
    return std::nullopt;
}

void FolderBrowseDialog::Accept() {
    folder_ = browse.Folder();
    End(IDOK);
}

std::optional<std::string> FolderBrowseDialog::AskFolderName() {
    NameDialog prompt("New Folder", "Name of the new folder:");
    if (prompt.Run(Handle()) != IDOK)
        return std::nullopt;
    return prompt.Text();
}

void FolderBrowseDialog::ShowWarning(const std::string& text) {
    MessageBoxW(Handle(), Wide(text).c_str(), Wide(kApplicationTitle).c_str(),
                MB_ICONWARNING | MB_OK);
}

} // namespace lyricast
