#pragma once

#include "window/DirectoryListBox.h"

#include <QListWidget>

#include <functional>
#include <string>
#include <vector>

namespace lyricast {

class TFileListBox;

// The folder list in Qt: draws its core's items (each glyph at its indent)
// and hands the user's double-click and Enter on the selected item to the
// core; a single click only selects.
class TDirectoryListBox : public QListWidget, public DirectoryListBoxView {
    Q_OBJECT

public:
    explicit TDirectoryListBox(QWidget* parent = nullptr,
                               const VolumeTable& volumes = SystemVolumeTable());

    DirectoryListBox core;
    // Shows an error of the user's action (a folder that is gone); the error
    // box over this window unless the window it sits in sets its own.
    std::function<void(const std::string&)> showError;

    // Links the file list's core to this list's core.
    void SetFileList(TFileListBox* fileList);

    // The item as drawn.
    const FolderItem& Item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    int ItemHeight() const;

    // DirectoryListBoxView
    void ShowItems(const std::vector<FolderItem>& items, int selected) override;
    // For CallHandler.
    void ShowError(const std::string& text) const { showError(text); }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<FolderItem> items_;
};

} // namespace lyricast
