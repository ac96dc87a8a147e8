#include "ui/qt/FileListView.h"

#include "platform/PathRules.h"
#include "window/ElidePath.h"
#include "window/FileColumns.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <algorithm>

namespace lyricast {
namespace {

// Lets the list's owner colour each row just before it is drawn, and makes
// long paths fit by their middle.
class RowDrawDelegate : public QStyledItemDelegate {
public:
    explicit RowDrawDelegate(FileListView* list) : QStyledItemDelegate(list), list_(list) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (list_->customDrawItem)
            list_->customDrawItem(list_->GoodMark(index.row()), *option);
        if (index.column() == 0)
            option->text = list_->FittedCaption(index.row(), option->rect.width());
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

FileListView::FileListView(QWidget* parent)
    : QTableWidget(0, static_cast<int>(FileColumns().size()), parent) {
    setObjectName(QStringLiteral("fileListView"));
    QStringList captions;
    for (const FileColumn& column : FileColumns())
        captions << QString::fromLatin1(column.caption);
    setHorizontalHeaderLabels(captions);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setSectionsClickable(true);
    // Each column at least as wide as its header and its widest text at the system font.
    const int padding = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin) + 8;
    for (int index = 0; index < columnCount(); ++index) {
        const FileColumn& column = FileColumns()[static_cast<std::size_t>(index)];
        const int header = horizontalHeader()->fontMetrics().horizontalAdvance(
            QString::fromLatin1(column.caption));
        const int content = fontMetrics().horizontalAdvance(QString::fromLatin1(column.widest));
        setColumnWidth(index, std::max({column.width, header + padding, content + padding}));
    }
    FillWidth();
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setWordWrap(false);
    setTabKeyNavigation(false); // Tab leaves the list for the convert button
    setItemDelegate(new RowDrawDelegate(this));
}

void FileListView::AddRow(const QByteArray& path, const QStringList& texts, int goodMark) {
    const int row = rowCount();
    insertRow(row);
    for (int column = 0; column < texts.size(); ++column)
        setItem(row, column, ReadOnlyItem(texts[column]));
    QTableWidgetItem* first = item(row, 0);
    first->setData(kGoodMarkRole, goodMark);
    first->setData(kPathRole, path);
    first->setToolTip(texts.front());
}

QString FileListView::FittedCaption(int row, int width) const {
    const QTableWidgetItem* first = item(row, 0);
    if (first == nullptr)
        return {};
    const QByteArray path = first->data(kPathRole).toByteArray();
    const int room =
        width - 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const QFontMetrics metrics = fontMetrics();
    const auto fits = [&](const std::string& text) {
        return metrics.horizontalAdvance(QString::fromLocal8Bit(text)) <= room;
    };
    static const std::string ellipsis = QString(QChar(0x2026)).toLocal8Bit().toStdString();
    return QString::fromLocal8Bit(
        ElideMiddle(path.toStdString(), PathRules::Native(), ellipsis, fits));
}

void FileListView::FillWidth() {
    for (int index = 0; index < columnCount(); ++index)
        if (FileColumns()[static_cast<std::size_t>(index)].fills)
            horizontalHeader()->setSectionResizeMode(index, QHeaderView::Stretch);
}

int FileListView::GoodMark(int row) const {
    const QTableWidgetItem* first = item(row, 0);
    return first != nullptr ? first->data(kGoodMarkRole).toInt() : 0;
}

} // namespace lyricast
