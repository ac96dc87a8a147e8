#pragma once

#include <QTableWidget>
#include <functional>

namespace lyricast {

// The report list of scanned files: four columns, grid lines, whole rows
// selected, several at a time, nothing edited in place, rows in the order
// added. The good mark of a row is kept beside its caption, not in its text.
class FileListView : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kGoodMarkRole = Qt::UserRole;

    explicit FileListView(QWidget* parent);

    void AddRow(const QString& caption, const QString& extension, const QString& status, const QString& tracks,
                int goodMark);
    QString Caption(int row) const;
    int GoodMark(int row) const;

    // Called before a row is drawn, to set the colour of its text.
    std::function<void(int goodMark, QStyleOptionViewItem& option)> customDrawItem;
};

} // namespace lyricast
