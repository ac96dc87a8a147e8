#pragma once

#include <QListWidget>
#include <QPointer>

#include <string>

namespace lyricast {

class TDirectoryListBox;

// The file list: the files of its folder that its mask matches, sorted
// without regard to case, without hidden and system entries and folders;
// single selection, no glyphs. The folder list sets its folder.
class TFileListBox : public QListWidget {
    Q_OBJECT

public:
    explicit TFileListBox(QWidget* parent = nullptr);

    const std::string& Directory() const { return directory_; }
    // Makes `path` the process's current directory and the list's folder,
    // and re-reads, unless it is the folder already. Raises DirectoryError.
    void SetDirectory(const std::string& path);

    // Patterns separated by ";"; "*.*" at first.
    const std::string& Mask() const { return mask_; }
    void SetMask(const std::string& mask);

    // Lists the folder again (with the busy cursor once 100 entries are in),
    // then raises OnChange.
    void ReRead();

    // The folder list that drives this one (set with TDirectoryListBox::SetFileList).
    TDirectoryListBox* DirList() const;

signals:
    void OnChange();

private:
    friend class TDirectoryListBox;

    std::string directory_;
    std::string mask_ = "*.*";
    QPointer<TDirectoryListBox> dirList_;
};

} // namespace lyricast
