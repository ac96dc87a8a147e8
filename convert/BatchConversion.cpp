// The "Convert File/s" button: converts every selected row the scan judged good.
#include "convert/ConvertSong.h"
#include "convert/OutputNaming.h"
#include "ui/ErrorBox.h"
#include "ui/FileListView.h"
#include "ui/TMainForm.h"
#include "ui/ToutPathForm.h"

#include <QMessageBox>
#include <QProgressBar>
#include <QRadioButton>

namespace lyricast {
namespace {

void Tell(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Information, kApplicationTitle, message, QMessageBox::Ok, parent);
    box.exec();
}

int SelectedRowCount(const FileListView& list) {
    int count = 0;
    for (int row = 0; row < list.rowCount(); ++row) count += list.item(row, 0)->isSelected() ? 1 : 0;
    return count;
}

} // namespace

// An error of the file layer (a source that cannot be read, an output that
// cannot be written) leaves the handler at once, for the error box; the
// batch stops there, with the status naming the file it stopped at.
void TMainForm::LMDButton3Click() {
    const int count = SelectedRowCount(*fileListView);
    if (count == 0) return Tell(this, QStringLiteral("Please select file/s"));
    const bool intoFolder = outPathForm != nullptr && outPathForm->savePath->isChecked();
    // Without a chosen folder the files would land in the root of the drive.
    if (intoFolder && outputFolder.isEmpty()) return Tell(this, QStringLiteral("Please select an output folder"));

    ProgressBar1->setMaximum(count);
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    const std::optional<std::string> folder =
        intoFolder ? std::optional<std::string>(outputFolder.toLocal8Bit().toStdString()) : std::nullopt;
    for (int row = 0; row < fileListView->rowCount(); ++row) {
        if (!fileListView->item(row, 0)->isSelected() || fileListView->GoodMark(row) == 0) continue;
        const QString caption = fileListView->Caption(row);
        ShowStatus(QStringLiteral("Converting : ") + caption);
        const std::string source = caption.toLocal8Bit().toStdString();
        if (const auto output = OutputPathOf(source, folder, PathRules::Native()))
            ConvertSong(*smfFile, source, *output);
        ProgressBar1->setValue(ProgressBar1->value() + 1);
    }
    ProgressBar1->hide();
    ShowStatus(QString());
}

} // namespace lyricast
