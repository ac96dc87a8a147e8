#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lyricast {

class DirectoryListBox;

// What the file list needs a toolkit to show.
class FileListBoxView {
public:
    virtual void ClearFiles() = 0;
    // Adds a name at the end; names come sorted.
    virtual void AddFile(const std::string& name) = 0;
    // The busy (hourglass) cursor on or off again.
    virtual void ShowBusy(bool busy) = 0;

protected:
    ~FileListBoxView() = default;
};

// The file list: the files of its folder that its mask matches, sorted
// without regard to case, without hidden and system entries and folders.
// The folder list sets its folder.
class FileListBox {
public:
    // Takes the process's current directory as its folder; the view fills
    // the list with ReRead once it can show it.
    explicit FileListBox(FileListBoxView& view);
    FileListBox(const FileListBox&) = delete;
    FileListBox& operator=(const FileListBox&) = delete;
    ~FileListBox();

    const std::string& Directory() const { return directory_; }
    // Makes `path` the process's current directory and the list's folder,
    // and re-reads, unless it is the folder already (case aside). Raises
    // DirectoryError.
    void SetDirectory(const std::string& path);

    // Patterns separated by ";"; "*.*" at first.
    const std::string& Mask() const { return mask_; }
    void SetMask(const std::string& mask);

    // Lists the folder again (with the busy cursor once 100 entries are in),
    // then raises OnChange.
    void ReRead();
    // The names listed, in list order.
    const std::vector<std::string>& Files() const { return files_; }

    // The folder list that drives this one (set with DirectoryListBox::SetFileList).
    DirectoryListBox* DirList() const { return dirList_; }

    std::function<void()> OnChange;

private:
    friend class DirectoryListBox;

    FileListBoxView& view_;
    std::string directory_;
    std::string mask_ = "*.*";
    std::vector<std::string> files_;
    DirectoryListBox* dirList_ = nullptr;
};

} // namespace lyricast
