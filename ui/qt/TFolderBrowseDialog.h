#pragma once

#include "window/FolderBrowse.h"

#include <QDialog>
#include <string>

class QPushButton;

namespace lyricast {

class TDirectoryListBox;
class TDriveComboBox;

// The folder-browse dialog in Qt: a drive box and a folder list to walk to a
// folder, New Folder, OK and Cancel. It starts at the folder it is given, or
// at the current folder for an empty text; its core decides the rest.
class TFolderBrowseDialog : public QDialog, public FolderBrowseView {
    Q_OBJECT
public:
    TFolderBrowseDialog(QWidget* parent, const QString& title, const std::string& startFolder);

    FolderBrowse browse;

    // The folder shown, as the system spells it: no closing separator, except at a root.
    const std::string& Folder() const { return browse.Folder(); }

    TDriveComboBox* driveBox = nullptr;
    TDirectoryListBox* folderList = nullptr;
    QPushButton* newFolderButton = nullptr;

    // FolderBrowseView
    std::optional<std::string> AskFolderName() override;
    void ShowWarning(const std::string& text) override;
    // For CallHandler.
    void ShowError(const std::string& text);
};

} // namespace lyricast
