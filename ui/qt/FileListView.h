#pragma once

#include <QTableWidget>
#include <functional>

namespace lyricast {

// The report list of scanned files: the columns of FileColumns, grid lines,
// whole rows selected, several at a time, nothing edited in place, rows in
// the order added (its owner sorts them). The good mark of a row is kept
// beside its caption, not in its text.
class FileListView : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kGoodMarkRole = Qt::UserRole;
    static constexpr int kPathRole = Qt::UserRole + 1; // the path's bytes, for eliding

    explicit FileListView(QWidget* parent);

    // `path` is the file's path as the system gave it, `texts` a column's
    // each, the first the path's: drawn elided in the middle when the column
    // is narrow, whole in the tooltip.
    void AddRow(const QByteArray& path, const QStringList& texts, int goodMark);
    // The caption as drawn in a cell `width` pixels wide: the path's folders
    // left out in its middle until it fits, so rows in deep folders differ.
    QString FittedCaption(int row, int width) const;
    int GoodMark(int row) const;
    // The column that fills the list's width takes what the others leave, as
    // the list is resized (again after a saved state of the header is restored).
    void FillWidth();

    // Called before a row is drawn, to set the colour of its text.
    std::function<void(int goodMark, QStyleOptionViewItem& option)> customDrawItem;
};

} // namespace lyricast
