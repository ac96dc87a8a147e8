#pragma once

#include "window/BatchSummary.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace lyricast {

// The box at the end of a batch: the summary's first lines beside the
// information or warning icon, its details in a pane that scrolls however
// many they are, "Save Report...", "Open Folder" and OK (Enter and Esc close
// it). Its height stays within the screen, so its buttons are always in reach.
class SummaryDialog : public QDialog {
    Q_OBJECT
public:
    SummaryDialog(const BatchSummary& summary, const QString& folder, QWidget* parent);

    // Whether the dialog was closed with "Open Folder".
    bool OpenFolderChosen() const { return openFolder_; }

    QLabel* icon = nullptr;
    QLabel* head = nullptr;
    QPlainTextEdit* details = nullptr; // none when nothing was refused or failed
    QPushButton* saveReport = nullptr;
    QPushButton* openFolder = nullptr;
    QPushButton* ok = nullptr;
    // What "Save Report..." does; the box stays open.
    std::function<void()> onSaveReport;

private:
    void CreateIcon(bool warning);
    void CreateDetails(const std::vector<std::string>& lines);
    void CreateButtons(const QString& folder);
    void FitToScreen();

    bool openFolder_ = false;
};

} // namespace lyricast
