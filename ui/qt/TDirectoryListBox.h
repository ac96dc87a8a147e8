#pragma once

#include "window/FolderLadder.h"
#include "platform/Volumes.h"

#include <QListWidget>
#include <QPointer>

#include <map>
#include <string>
#include <vector>

namespace lyricast {

class TDriveComboBox;
class TFileListBox;

// The folder list: the ladder of folders from the root down to the current
// folder, then the folders below it. A double-click raises OnDblClick and then
// opens the selected folder; Enter opens it without OnDblClick; a single click
// only selects. The process's current directory follows the current folder.
//
// Errors (a folder or drive that cannot be entered) are raised as
// DirectoryError and leave the list on its folder. What a double-click or
// Enter does runs in a queued call right after the input event: an error
// raised there (or by an OnDblClick handler) leaves through the application's
// event dispatch (QApplication::notify), where the main window shows it, and
// never unwinds through Qt's widget code, which is built without exceptions.
class TDirectoryListBox : public QListWidget {
    Q_OBJECT

public:
    explicit TDirectoryListBox(QWidget* parent = nullptr,
                               const VolumeTable& volumes = SystemVolumeTable());

    // The current folder, exactly as the system reports the current directory.
    const std::string& Directory() const { return directory_; }
    // Makes `path` the current folder (a last part with "*" or "?", or naming
    // a file, is not entered), rebuilds the items and raises OnChange; nothing
    // happens when `path` is empty or already the current folder.
    void SetDirectory(const std::string& path);
    // Opens the selected item, as a double-click does after OnDblClick and as Enter does.
    void OpenCurrent();

    // The folder an item stands for.
    std::string ItemPath(int index) const;
    LadderKind ItemKind(int index) const { return items_.at(static_cast<std::size_t>(index)).kind; }
    // The item's text as stored, and as shown (lower-cased on a volume that
    // neither preserves nor minds case).
    const std::string& ItemText(int index) const {
        return items_.at(static_cast<std::size_t>(index)).text;
    }
    QString DisplayText(int index) const;
    // Where the item's glyph starts, in pixels from the item's left edge.
    int ItemIndent(int index) const;
    int ItemHeight() const;

    bool PreservesCase() const { return preservesCase_; }
    bool CaseSensitive() const { return caseSensitive_; }

    // The drive box that drives this list (set with TDriveComboBox::SetDirList).
    TDriveComboBox* DriveCombo() const;
    // The file list this list drives; the link is two-way.
    TFileListBox* FileList() const;
    void SetFileList(TFileListBox* fileList);

    // The drive box's call: makes the volume of `root` current, landing in
    // its own current folder.
    void DriveChange(const std::string& root);

signals:
    void OnChange();
    void OnDblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class TDriveComboBox;

    void BuildList();
    void Change();
    std::string FolderToEnter(const std::string& path) const;
    void EnterFolder(const std::string& folder);
    bool SameFolder(const std::string& a, const std::string& b) const;
    std::string RootOfPath(const std::string& path) const;
    void RememberFolder();

    const VolumeTable* volumes_;
    std::string directory_;
    std::vector<LadderItem> items_;
    bool preservesCase_ = true;
    bool caseSensitive_ = true;
    bool inSetDirectory_ = false;
    // The folder last current on each volume in this run (by the volume's root).
    std::map<std::string, std::string> lastVisited_;
    QPointer<TDriveComboBox> driveCombo_;
    QPointer<TFileListBox> fileList_;
    QObject deferred_; // receives the queued calls of the user's input
};

} // namespace lyricast
