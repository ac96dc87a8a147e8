#include "ui/qt/TFileListBox.h"

#include "platform/CurrentDirectory.h"
#include "platform/FolderListing.h"
#include "platform/PathRules.h"
#include "ui/qt/TDirectoryListBox.h"

#include <QGuiApplication>

#include <algorithm>
#include <optional>

namespace lyricast {
namespace {

// The hourglass for as long as it lives.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
};

constexpr int kBusyFrom = 100;

} // namespace

TFileListBox::TFileListBox(QWidget* parent) : QListWidget(parent), directory_(GetCurrentDir()) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    ReRead();
}

TDirectoryListBox* TFileListBox::DirList() const {
    return dirList_;
}

void TFileListBox::SetDirectory(const std::string& path) {
    if (PathRules::Native().SamePath(path, directory_)) return;
    SetCurrentDir(path);
    directory_ = GetCurrentDir();
    ReRead();
}

void TFileListBox::SetMask(const std::string& mask) {
    if (mask == mask_) return;
    mask_ = mask;
    ReRead();
}

void TFileListBox::ReRead() {
    clear();
    {
        std::optional<BusyCursor> busy;
        for (const std::string& name : ListFiles(directory_, mask_)) {
            addItem(QString::fromLocal8Bit(name));
            if (count() == kBusyFrom && !busy) busy.emplace();
        }
    }
    emit OnChange();
}

} // namespace lyricast
