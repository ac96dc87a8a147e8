#include "window/FileListBox.h"

#include "platform/CurrentDirectory.h"
#include "platform/FolderListing.h"
#include "platform/PathRules.h"
#include "window/DirectoryListBox.h"

namespace lyricast {
namespace {

// A long listing shows the busy cursor from its 100th entry to its end.
constexpr std::size_t kBusyFrom = 100;

class BusyWhileAlive {
public:
    explicit BusyWhileAlive(FileListBoxView& view) : view_(view) {}
    BusyWhileAlive(const BusyWhileAlive&) = delete;
    BusyWhileAlive& operator=(const BusyWhileAlive&) = delete;
    ~BusyWhileAlive() {
        if (busy_)
            view_.ShowBusy(false);
    }
    void Start() {
        if (busy_)
            return;
        busy_ = true;
        view_.ShowBusy(true);
    }

private:
    FileListBoxView& view_;
    bool busy_ = false;
};

} // namespace

FileListBox::FileListBox(FileListBoxView& view) : view_(view), directory_(GetCurrentDir()) {}

FileListBox::~FileListBox() {
    if (dirList_ != nullptr)
        dirList_->SetFileList(nullptr);
}

void FileListBox::SetDirectory(const std::string& path) {
    if (PathRules::Native().SamePath(path, directory_))
        return;
    SetCurrentDir(path);
    directory_ = GetCurrentDir();
    ReRead();
}

void FileListBox::SetMask(const std::string& mask) {
    if (mask == mask_)
        return;
    mask_ = mask;
    ReRead();
}

void FileListBox::ReRead() {
    files_.clear();
    view_.ClearFiles();
    {
        BusyWhileAlive busy(view_);
        for (std::string& name : ListFiles(directory_, mask_)) {
            files_.push_back(std::move(name));
            view_.AddFile(files_.back());
            if (files_.size() == kBusyFrom)
                busy.Start();
        }
    }
    if (OnChange)
        OnChange();
}

} // namespace lyricast
