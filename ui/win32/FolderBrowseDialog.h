#pragma once

#include "ui/win32/Dialog.h"
#include "ui/win32/pane/DriveBox.h"
#include "ui/win32/pane/FolderList.h"

#include <memory>
#include <string>

namespace lyricast {

// The folder-browse dialog: a drive box and a folder list, OK, Cancel and
// "New Folder...", which creates a folder inside the one shown and opens it.
// It starts at the folder it is given (the current folder when that is empty
// or gone) and reports the folder shown when OK is pressed. The process's
// current folder is put back when the dialog goes.
class FolderBrowseDialog : public Dialog {
public:
    enum ControlId { kDriveLabel = 100, kDriveBox, kFolderLabel, kFolderList, kNewFolder, kOk };

    FolderBrowseDialog(const std::string& title, std::string startFolder);
    ~FolderBrowseDialog();

    const std::string& Folder() const { return folder_; }

    DriveBox* driveBox() const { return driveBox_.get(); }
    FolderList* folderList() const { return folderList_.get(); }
    // Creates `name` inside the folder shown and opens it; false when it cannot.
    bool CreateAndOpen(const std::string& name);

private:
    void Create() override;
    void Command(int id, int code) override;
    std::optional<INT_PTR> Message(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Accept();
    void NewFolderClick();
    void OpenCurrent();

    std::string startFolder_;
    std::string startingCurrentFolder_;
    std::string folder_;
    std::unique_ptr<DriveBox> driveBox_;
    std::unique_ptr<FolderList> folderList_;
};

} // namespace lyricast
