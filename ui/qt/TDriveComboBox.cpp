#include "ui/qt/TDriveComboBox.h"

#include "platform/AsciiCase.h"
#include "platform/CurrentDirectory.h"
#include "ui/qt/Glyphs.h"
#include "ui/qt/TDirectoryListBox.h"

#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace lyricast {
namespace {

const PathRules& Rules() {
    return PathRules::Native();
}

// On Windows the letter of a drive root, in the case asked for.
std::string CasedRoot(std::string root, TextCase textCase) {
    if (!Rules().driveLetters || Rules().DrivePart(root).size() != 2) return root;
    root[0] = textCase == TextCase::tcUpperCase ? AsciiUpper(root[0]) : AsciiLower(root[0]);
    return root;
}

} // namespace

// Draws the entries of the drop-down list as the box draws its own field.
class DriveEntryDelegate : public QStyledItemDelegate {
public:
    explicit DriveEntryDelegate(TDriveComboBox* box) : QStyledItemDelegate(box), box_(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        box_->DrawEntry(*painter, option.rect, index.row(),
                        (option.state & (QStyle::State_Selected | QStyle::State_MouseOver)) != 0);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QImage& glyph = Glyph(GlyphOfVolume(box_->VolumeAt(index.row()).kind));
        return {2 + glyph.width() + 4 +
                    option.fontMetrics.horizontalAdvance(box_->itemText(index.row())) + 4,
                box_->EntryHeight()};
    }

private:
    TDriveComboBox* box_;
};

TDriveComboBox::TDriveComboBox(QWidget* parent, const VolumeTable& volumes)
    : QComboBox(parent), volumes_(&volumes), drive_(volumes.RootOf(GetCurrentDir())) {
    setEditable(false);
    setItemDelegate(new DriveEntryDelegate(this));
    connect(
        this, &QComboBox::activated, &deferred_, [this](int index) { EntryChosen(index); },
        Qt::QueuedConnection);
    BuildList();
}

void TDriveComboBox::SetDrive(const std::string& root) {
    if (currentIndex() >= 0 && Rules().SamePath(root, drive_)) return;
    if (root.empty()) {
        drive_.clear();
        setCurrentIndex(-1);
    } else {
        drive_ = CasedRoot(root, textCase_);
        const auto entry =
            std::find_if(entries_.begin(), entries_.end(), [&](const Volume& volume) {
                return Rules().SamePath(volume.root, drive_);
            });
        setCurrentIndex(entry != entries_.end() ? static_cast<int>(entry - entries_.begin()) : -1);
    }
    if (dirList_) dirList_->DriveChange(drive_);
    emit OnChange();
}

void TDriveComboBox::SetTextCase(TextCase textCase) {
    if (textCase == textCase_) return;
    textCase_ = textCase;
    BuildList();
}

TDirectoryListBox* TDriveComboBox::DirList() const {
    return dirList_;
}

void TDriveComboBox::SetDirList(TDirectoryListBox* dirList) {
    if (dirList_ == dirList) return;
    if (dirList_) dirList_->driveCombo_ = nullptr;
    dirList_ = dirList;
    if (dirList_) dirList_->driveCombo_ = this;
}

void TDriveComboBox::BuildList() {
    entries_ = volumes_->List();
    clear();
    for (const Volume& volume : entries_)
        addItem(QString::fromLocal8Bit(
            VolumeCaption(volume, textCase_ == TextCase::tcUpperCase, Rules())));
    // Nothing selected, so that setting the stored drive again selects its entry.
    setCurrentIndex(-1);
    SetDrive(drive_);
}

QSize TDriveComboBox::sizeHint() const {
    QSize size = QComboBox::sizeHint();
    size.setHeight(std::max(size.height(), EntryHeight() + 6));
    return size;
}

QSize TDriveComboBox::minimumSizeHint() const {
    QSize size = QComboBox::minimumSizeHint();
    size.setHeight(std::max(size.height(), EntryHeight() + 6));
    return size;
}

void TDriveComboBox::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0) return;
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    DrawEntry(painter, field, currentIndex(), hasFocus());
}

void TDriveComboBox::EntryChosen(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    SetDrive(entries_[static_cast<std::size_t>(index)].root);
}

int TDriveComboBox::EntryHeight() const {
    return std::max(fontMetrics().height(), Glyph(GlyphName::Floppy).height());
}

// The glyph 2 pixels in, centred vertically; the text 6 pixels after the
// glyph, on one line, centred vertically, "&" shown as itself.
void TDriveComboBox::DrawEntry(QPainter& painter, const QRect& rect, int index,
                               bool selected) const {
    painter.save();
    painter.fillRect(rect, palette().brush(selected ? QPalette::Highlight : QPalette::Base));
    const QImage& glyph = Glyph(GlyphOfVolume(VolumeAt(index).kind));
    painter.drawImage(rect.left() + 2, rect.top() + (rect.height() - glyph.height()) / 2, glyph);
    painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect textRect = rect.adjusted(glyph.width() + 6, 0, 0, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     itemText(index));
    painter.restore();
}

} // namespace lyricast
