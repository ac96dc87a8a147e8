#include "ui/win32/FolderBrowseDialog.h"

#include "platform/CurrentDirectory.h"
#include "platform/DirectoryError.h"
#include "platform/PathRules.h"
#include "ui/win32/Controls.h"
#include "ui/win32/ErrorBox.h"
#include "ui/win32/NameDialog.h"
#include "ui/win32/pane/PaneDrawing.h"
#include "window/AppInfo.h"
#include "window/ErrorBox.h"

namespace lyricast {
namespace {

std::string CurrentFolderOrNothing() {
    try {
        return GetCurrentDir();
    } catch (const DirectoryError&) {
        return {};
    }
}

// The folder and a name inside it, without doubling a root's separator.
std::string Inside(const std::string& folder, const std::string& name) {
    const PathRules& rules = PathRules::Native();
    if (!folder.empty() && rules.IsSeparator(folder.back()))
        return folder + name;
    return rules.Join(folder, name);
}

} // namespace

FolderBrowseDialog::FolderBrowseDialog(const std::string& title, std::string startFolder)
    : Dialog(title, 360, 400), startFolder_(std::move(startFolder)),
      startingCurrentFolder_(CurrentFolderOrNothing()) {}

FolderBrowseDialog::~FolderBrowseDialog() {
    if (startingCurrentFolder_.empty())
        return;
    try {
        SetCurrentDir(startingCurrentFolder_);
    } catch (const DirectoryError&) {
        // The folder went away meanwhile; the current folder stays where browsing left it.
    }
}

void FolderBrowseDialog::Create() {
    HWND dialog = Handle();
    CreateChild(dialog, "STATIC", "Drive:", WS_VISIBLE, {10, 10, 340, 16}, kDriveLabel);
    driveBox_ = std::make_unique<DriveBox>(dialog, kDriveBox, Box{10, 28, 340, 19});
    CreateChild(dialog, "STATIC", "Folder:", WS_VISIBLE, {10, 60, 340, 16}, kFolderLabel);
    folderList_ = std::make_unique<FolderList>(dialog, kFolderList, Box{10, 78, 340, 272});
    driveBox_->SetDirList(folderList_.get());
    CreateChild(dialog, "BUTTON", "New Folder...", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                {10, 362, 100, 25}, kNewFolder);
    CreateChild(dialog, "BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, {180, 362, 80, 25},
                kOk);
    CreateChild(dialog, "BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                {270, 362, 80, 25}, IDCANCEL);
    try {
        folderList_->SetDirectory(startFolder_);
    } catch (const DirectoryError&) {
        // A folder that is gone: start from the current folder instead.
    }
    SetFocus(folderList_->Handle());
}

// Enter (IDOK: no button has that id) belongs to the folder list, which opens
// the chosen folder with it.
void FolderBrowseDialog::Command(int id, int code) {
    if (id == kDriveBox && (code == CBN_SELENDOK || code == CBN_SELCHANGE)) {
        DialogErrors errors{Handle()};
        return CallHandler(errors, [this] { driveBox_->EntryChosen(); });
    }
    if (id == kFolderList && code == LBN_DBLCLK)
        return OpenCurrent();
    if (id == IDOK && GetFocus() == folderList_->Handle())
        return OpenCurrent();
    if (code != BN_CLICKED)
        return;
    if (id == kOk || id == IDOK)
        return Accept();
    if (id == kNewFolder)
        return NewFolderClick();
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
    folder_ = folderList_->Directory();
    End(IDOK);
}

void FolderBrowseDialog::NewFolderClick() {
    NameDialog prompt("New Folder", "Name of the new folder:");
    if (prompt.Run(Handle()) != IDOK)
        return;
    if (!CreateAndOpen(prompt.Text()))
        MessageBoxA(Handle(), "IO-Error!\nCould not create folder.", kApplicationTitle.c_str(),
                    MB_ICONWARNING | MB_OK);
}

bool FolderBrowseDialog::CreateAndOpen(const std::string& name) {
    if (name.empty())
        return false;
    const std::string path = Inside(folderList_->Directory(), name);
    if (!CreateDirectoryA(path.c_str(), nullptr))
        return false;
    folderList_->SetDirectory(path);
    return true;
}

void FolderBrowseDialog::OpenCurrent() {
    DialogErrors errors{Handle()};
    CallHandler(errors, [this] { folderList_->OpenCurrent(); });
}

} // namespace lyricast
