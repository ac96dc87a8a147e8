#include "ui/qt/TDriveComboBox.h"

#include "ui/qt/ErrorBox.h"
#include "ui/qt/Glyphs.h"
#include "ui/qt/TDirectoryListBox.h"
#include "window/ErrorBox.h"

#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace lyricast {

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
        const QImage& glyph = box_->EntryGlyph(index.row());
        return {2 + glyph.width() + 4 +
                    option.fontMetrics.horizontalAdvance(box_->itemText(index.row())) + 4,
                box_->EntryHeight()};
    }

private:
    TDriveComboBox* box_;
};

TDriveComboBox::TDriveComboBox(QWidget* parent, const VolumeTable& volumes)
    : QComboBox(parent), core(*this, volumes), showError(ErrorBoxOver(this)) {
    setEditable(false);
    setItemDelegate(new DriveEntryDelegate(this));
    connect(this, &QComboBox::activated, this,
            [this](int index) { CallHandler(*this, [this, index] { core.EntryChosen(index); }); });
    core.BuildList();
}

void TDriveComboBox::SetDirList(TDirectoryListBox* dirList) {
    core.SetDirList(dirList != nullptr ? &dirList->core : nullptr);
}

void TDriveComboBox::ShowDrives(const std::vector<DriveEntry>& entries) {
    clear();
    for (const DriveEntry& entry : entries)
        addItem(QString::fromLocal8Bit(entry.caption));
}

void TDriveComboBox::SelectDrive(int index) {
    setCurrentIndex(index);
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
    if (currentIndex() < 0)
        return;
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    DrawEntry(painter, field, currentIndex(), hasFocus());
}

const QImage& TDriveComboBox::EntryGlyph(int index) const {
    return Glyph(GlyphOfVolume(core.Entries().at(static_cast<std::size_t>(index)).kind));
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
    const QImage& glyph = EntryGlyph(index);
    painter.drawImage(rect.left() + 2, rect.top() + (rect.height() - glyph.height()) / 2, glyph);
    painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect textRect = rect.adjusted(glyph.width() + 6, 0, 0, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     itemText(index));
    painter.restore();
}

} // namespace lyricast
