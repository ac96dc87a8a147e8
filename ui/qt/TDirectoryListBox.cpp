#include "ui/qt/TDirectoryListBox.h"

#include "ui/qt/ErrorBox.h"
#include "ui/qt/Glyphs.h"
#include "ui/qt/TFileListBox.h"
#include "window/ErrorBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace lyricast {
namespace {

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
        const FolderItem& item = list_->Item(index.row());
        const QImage& glyph = Glyph(GlyphOfLadderItem(item.kind));
        const int indent = item.indent;
        painter->drawImage(rect.left() + indent, rect.top() + (rect.height() - glyph.height()) / 2,
                           glyph);
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect textRect(rect.left() + glyph.width() + indent + 4, rect.top(), rect.width(),
                             rect.height());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          QString::fromLocal8Bit(item.text));
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
        const FolderItem& item = list_->Item(index.row());
        const QImage& glyph = Glyph(GlyphOfLadderItem(item.kind));
        const int textWidth =
            option.fontMetrics.horizontalAdvance(QString::fromLocal8Bit(item.text));
        return {item.indent + glyph.width() + 4 + textWidth + 2, list_->ItemHeight()};
    }

private:
    TDirectoryListBox* list_;
};

} // namespace

TDirectoryListBox::TDirectoryListBox(QWidget* parent, const VolumeTable& volumes)
    : QListWidget(parent), core(*this, volumes), showError(ErrorBoxOver(this)) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setItemDelegate(new FolderItemDelegate(this));
    core.BuildList();
}

void TDirectoryListBox::SetFileList(TFileListBox* fileList) {
    core.SetFileList(fileList != nullptr ? &fileList->core : nullptr);
}

int TDirectoryListBox::ItemHeight() const {
    return std::max(fontMetrics().height(), Glyph(GlyphName::OpenFolder).height() + 1);
}

void TDirectoryListBox::ShowItems(const std::vector<FolderItem>& items, int selected) {
    items_ = items;
    clear();
    for (const FolderItem& item : items_)
        addItem(QString::fromLocal8Bit(item.text));
    setCurrentRow(selected);
}

void TDirectoryListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    CallHandler(*this, [this] { core.DblClick(currentRow()); });
}

void TDirectoryListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return QListWidget::keyPressEvent(event);
    event->accept();
    CallHandler(*this, [this] { core.OpenCurrent(currentRow()); });
}

} // namespace lyricast
