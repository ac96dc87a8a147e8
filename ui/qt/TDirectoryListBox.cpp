#include "ui/qt/TDirectoryListBox.h"

#include "platform/AsciiCase.h"
#include "platform/CurrentDirectory.h"
#include "platform/DirectoryError.h"
#include "platform/FileIdentity.h"
#include "platform/FolderListing.h"
#include "ui/qt/Glyphs.h"
#include "ui/qt/TDriveComboBox.h"
#include "ui/qt/TFileListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace lyricast {
namespace {

const PathRules& Rules() {
    return PathRules::Native();
}

// Draws an item: its glyph at the item's indent, centred vertically, then its
// text 4 pixels after the glyph, at the top of the item.
class FolderItemDelegate : public QStyledItemDelegate {
public:
    explicit FolderItemDelegate(TDirectoryListBox* list) : QStyledItemDelegate(list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect rect = option.rect;
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        painter->save();
        painter->fillRect(rect, selected ? option.palette.highlight() : option.palette.base());
        const QImage& glyph = Glyph(GlyphOfLadderItem(list_->ItemKind(index.row())));
        const int indent = list_->ItemIndent(index.row());
        painter->drawImage(rect.left() + indent, rect.top() + (rect.height() - glyph.height()) / 2,
                           glyph);
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect textRect(rect.left() + glyph.width() + indent + 4, rect.top(), rect.width(),
                             rect.height());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          list_->DisplayText(index.row()));
        if ((option.state & QStyle::State_HasFocus) != 0) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.backgroundColor =
                option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
            list_->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, list_);
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QImage& glyph = Glyph(GlyphOfLadderItem(list_->ItemKind(index.row())));
        const int textWidth = option.fontMetrics.horizontalAdvance(list_->DisplayText(index.row()));
        return {list_->ItemIndent(index.row()) + glyph.width() + 4 + textWidth + 2,
                list_->ItemHeight()};
    }

private:
    TDirectoryListBox* list_;
};

// Sets a flag for as long as it lives.
class FlagRaised {
public:
    explicit FlagRaised(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    FlagRaised(const FlagRaised&) = delete;
    FlagRaised& operator=(const FlagRaised&) = delete;
    ~FlagRaised() { flag_ = before_; }

private:
    bool& flag_;
    bool before_;
};

} // namespace

TDirectoryListBox::TDirectoryListBox(QWidget* parent, const VolumeTable& volumes)
    : QListWidget(parent), volumes_(&volumes), directory_(GetCurrentDir()) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setItemDelegate(new FolderItemDelegate(this));
    RememberFolder();
    BuildList();
}

void TDirectoryListBox::SetDirectory(const std::string& path) {
    if (path.empty() || SameFolder(path, directory_)) return;
    const std::string before = directory_;
    try {
        EnterFolder(FolderToEnter(path));
    } catch (...) {
        // The list keeps its folder, and so does the process, as far as it can.
        directory_ = before;
        try {
            SetCurrentDir(before);
        } catch (const DirectoryError&) {
        }
        throw;
    }
    directory_ = GetCurrentDir();
    RememberFolder();
    BuildList();
    Change();
}

void TDirectoryListBox::OpenCurrent() {
    if (currentRow() < 0) return;
    SetDirectory(ItemPath(currentRow()));
}

std::string TDirectoryListBox::ItemPath(int index) const {
    if (index < 0 || index >= static_cast<int>(items_.size())) return {};
    return LadderItemPath(static_cast<std::size_t>(index), items_[static_cast<std::size_t>(index)],
                          directory_, Rules(), IsNativeLeadByte);
}

QString TDirectoryListBox::DisplayText(int index) const {
    const QString text = QString::fromLocal8Bit(ItemText(index));
    return preservesCase_ || caseSensitive_ ? text : text.toLower();
}

int TDirectoryListBox::ItemIndent(int index) const {
    return LadderIndent(static_cast<std::size_t>(index), ItemKind(index), directory_, Rules(),
                        IsNativeLeadByte);
}

int TDirectoryListBox::ItemHeight() const {
    return std::max(fontMetrics().height(), Glyph(GlyphName::OpenFolder).height() + 1);
}

TDriveComboBox* TDirectoryListBox::DriveCombo() const {
    return driveCombo_;
}

TFileListBox* TDirectoryListBox::FileList() const {
    return fileList_;
}

void TDirectoryListBox::SetFileList(TFileListBox* fileList) {
    if (fileList_ == fileList) return;
    if (fileList_) fileList_->dirList_ = nullptr;
    fileList_ = fileList;
    if (fileList_) {
        fileList_->dirList_ = this;
        fileList_->SetDirectory(directory_);
    }
}

void TDirectoryListBox::DriveChange(const std::string& root) {
    if (root.empty() || Rules().SamePath(root, volumes_->RootOf(directory_))) return;
    const auto last = lastVisited_.find(root);
    EnterVolume(root, last != lastVisited_.end() ? last->second : std::string());
    directory_ = GetCurrentDir();
    RememberFolder();
    if (!inSetDirectory_) {
        BuildList();
        Change();
    }
}

void TDirectoryListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton) return;
    QMetaObject::invokeMethod(
        &deferred_,
        [this] {
            emit OnDblClick();
            OpenCurrent();
        },
        Qt::QueuedConnection);
}

void TDirectoryListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        QMetaObject::invokeMethod(
            &deferred_, [this] { OpenCurrent(); }, Qt::QueuedConnection);
        return;
    }
    QListWidget::keyPressEvent(event);
}

void TDirectoryListBox::BuildList() {
    const VolumeCase volumeCase = volumes_->CaseOf(directory_);
    preservesCase_ = volumeCase.preservesCase || volumeCase.caseSensitive;
    caseSensitive_ = volumeCase.caseSensitive;

    items_ = LadderOf(directory_, Rules(), IsNativeLeadByte);
    const int selected = static_cast<int>(items_.size()) - 1;
    for (std::string& name : ListSubFolders(directory_))
        items_.push_back({std::move(name), LadderKind::Closed});

    clear();
    for (std::size_t i = 0; i < items_.size(); ++i) addItem(DisplayText(static_cast<int>(i)));
    setCurrentRow(selected);
}

void TDirectoryListBox::Change() {
    if (fileList_) fileList_->SetDirectory(directory_);
    emit OnChange();
}

bool TDirectoryListBox::SameFolder(const std::string& a, const std::string& b) const {
    return caseSensitive_ ? a == b : SameIgnoringAsciiCase(a, b);
}

// A last part with wildcards, or one that names a file, is not entered.
std::string TDirectoryListBox::FolderToEnter(const std::string& path) const {
    const PathSplit split = SplitLastPart(path, Rules());
    const bool wildcards = split.last.find_first_of("*?") != std::string::npos;
    if (split.last.empty() || !(wildcards || (IdentityOf(path) && !IsFolder(path)))) return path;
    return split.folder.empty() ? directory_ : split.folder;
}

// Moves to the folder's volume first (through the drive box when there is
// one), without rebuilding, then into the folder itself.
void TDirectoryListBox::EnterFolder(const std::string& folder) {
    const std::string root = RootOfPath(folder);
    if (!Rules().SamePath(root, volumes_->RootOf(directory_))) {
        FlagRaised inSetDirectory(inSetDirectory_);
        if (driveCombo_) {
            driveCombo_->SetDrive(root);
        } else {
            DriveChange(root);
        }
    }
    SetCurrentDir(folder);
}

// The volume a path leads to; a relative path stays on the current one.
std::string TDirectoryListBox::RootOfPath(const std::string& path) const {
    const bool absolute = !Rules().DrivePart(path).empty() ||
                          (!Rules().driveLetters && !path.empty() && Rules().IsSeparator(path[0]));
    return volumes_->RootOf(absolute ? path : directory_);
}

void TDirectoryListBox::RememberFolder() {
    const std::string root = volumes_->RootOf(directory_);
    if (!root.empty()) lastVisited_[root] = directory_;
}

} // namespace lyricast
