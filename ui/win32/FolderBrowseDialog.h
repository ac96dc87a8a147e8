#pragma once

#include "ui/win32/Dialog.h"
#include "ui/win32/pane/DriveBox.h"
#include "ui/win32/pane/FolderList.h"
#include "window/FolderBrowse.h"

#include <memory>
#include <string>

namespace lyricast {

// The folder-browse dialog on the Win32 API: a drive box and a folder list,
// OK, Cancel and "New Folder...". `browse` decides where it starts, makes the
// new folder and puts the process's current folder back when it goes; the
// dialog reports the folder shown when OK is pressed.
class FolderBrowseDialog : public Dialog, public FolderBrowseView {
public:
    enum ControlId { kDriveLabel = 100, kDriveBox, kFolderLabel, kFolderList, kNewFolder, kOk };

    FolderBrowseDialog(const std::string& title, std::string startFolder);

    const std::string& Folder() const { return folder_; }

    DriveBox* driveBox() const { return driveBox_.get(); }
    FolderList* folderList() const { return folderList_.get(); }

    // FolderBrowseView
    std::optional<std::string> AskFolderName() override;
    void ShowWarning(const std::string& text) override;

    // Declared before the pane, so that the current folder is put back after
    // the pane is gone.
    FolderBrowse browse;

private:
    void Create() override;
    void Command(int id, int code) override;
    std::optional<INT_PTR> Message(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Accept();

    std::string startFolder_;
    std::string folder_;
    std::unique_ptr<DriveBox> driveBox_;
    std::unique_ptr<FolderList> folderList_;
};

} // namespace lyricast
