#include "ui/qt/FileListView.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

namespace lyricast {
namespace {

// Lets the list's owner colour each row just before it is drawn.
class RowDrawDelegate : public QStyledItemDelegate {
public:
    explicit RowDrawDelegate(FileListView* list) : QStyledItemDelegate(list), list_(list) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (list_->customDrawItem) list_->customDrawItem(list_->GoodMark(index.row()), *option);
    }

private:
    FileListView* list_;
};

QTableWidgetItem* ReadOnlyItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

FileListView::FileListView(QWidget* parent) : QTableWidget(0, 4, parent) {
    setObjectName(QStringLiteral("fileListView"));
    setHorizontalHeaderLabels({QStringLiteral("File Name"), QStringLiteral("Ext"), QStringLiteral("Status"),
                               QStringLiteral("Num.Tracks")});
    const int widths[] = {300, 50, 50, 70};
    for (int column = 0; column < 4; ++column) setColumnWidth(column, widths[column]);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setWordWrap(false);
    setItemDelegate(new RowDrawDelegate(this));
}

void FileListView::AddRow(const QString& caption, const QString& extension, const QString& status,
                          const QString& tracks, int goodMark) {
    const int row = rowCount();
    insertRow(row);
    QTableWidgetItem* first = ReadOnlyItem(caption);
    first->setData(kGoodMarkRole, goodMark);
    setItem(row, 0, first);
    setItem(row, 1, ReadOnlyItem(extension));
    setItem(row, 2, ReadOnlyItem(status));
    setItem(row, 3, ReadOnlyItem(tracks));
}

QString FileListView::Caption(int row) const { return item(row, 0)->text(); }

int FileListView::GoodMark(int row) const {
    const QTableWidgetItem* first = item(row, 0);
    return first != nullptr ? first->data(kGoodMarkRole).toInt() : 0;
}

} // namespace lyricast
