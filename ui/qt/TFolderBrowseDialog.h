#pragma once

#include <QDialog>
#include <string>

class QPushButton;

namespace lyricast {

class TDirectoryListBox;
class TDriveComboBox;

// The folder-browse dialog: a drive box and a folder list to walk to a
// folder, a button that makes a new folder there, OK and Cancel. It starts at
// the folder it is given, or at the current folder for an empty text, and
// gives back the folder shown when OK was pressed. The process's current
// folder is put back as it was when the dialog closes.
class TFolderBrowseDialog : public QDialog {
    Q_OBJECT
public:
    TFolderBrowseDialog(QWidget* parent, const QString& title, const std::string& startFolder);
    ~TFolderBrowseDialog() override;

    // The folder shown, as the system spells it: no closing separator, except at a root.
    const std::string& Folder() const;

    TDriveComboBox* driveBox = nullptr;
    TDirectoryListBox* folderList = nullptr;
    QPushButton* newFolderButton = nullptr;

    // Asks for a name, makes that folder inside the one shown and opens it.
    void NewFolderClick();

private:
    bool CreateAndOpen(const QString& name);

    std::string startingCurrentFolder_;
};

} // namespace lyricast
