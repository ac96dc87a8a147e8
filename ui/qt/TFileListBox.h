#pragma once

#include "window/FileListBox.h"

#include <QListWidget>

namespace lyricast {

// The file list in Qt: draws the names its core lists (single selection, no
// glyphs) and the busy cursor while a long listing is read.
class TFileListBox : public QListWidget, public FileListBoxView {
    Q_OBJECT

public:
    explicit TFileListBox(QWidget* parent = nullptr);

    FileListBox core;

    // FileListBoxView
    void ClearFiles() override;
    void AddFile(const std::string& name) override;
    void ShowBusy(bool busy) override;
};

} // namespace lyricast
