#include "ui/qt/TFolderBrowseDialog.h"

#include "ui/qt/ErrorBox.h"
#include "ui/qt/TDirectoryListBox.h"
#include "ui/qt/TDriveComboBox.h"
#include "window/AppInfo.h"
#include "window/ErrorBox.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace lyricast {

TFolderBrowseDialog::TFolderBrowseDialog(QWidget* parent, const QString& title,
                                         const std::string& startFolder)
    : QDialog(parent), browse(*this) {
    setObjectName(QStringLiteral("LMDDirDlg1"));
    setWindowTitle(title);
    setModal(true);

    driveBox = new TDriveComboBox(this);
    driveBox->setObjectName(QStringLiteral("driveBox"));
    folderList = new TDirectoryListBox(this);
    folderList->setObjectName(QStringLiteral("folderList"));
    driveBox->SetDirList(folderList);

    newFolderButton = new QPushButton(tr("New Folder..."), this);
    newFolderButton->setObjectName(QStringLiteral("newFolderButton"));
    connect(newFolderButton, &QPushButton::clicked, this,
            [this] { CallHandler(*this, [this] { browse.NewFolderClick(); }); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(newFolderButton, QDialogButtonBox::ActionRole);
    // Enter belongs to the folder list, which opens the chosen folder with it.
    for (QAbstractButton* button : buttons->buttons())
        if (auto* push = qobject_cast<QPushButton*>(button))
            push->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Drive:"), this));
    layout->addWidget(driveBox);
    layout->addWidget(new QLabel(tr("Folder:"), this));
    layout->addWidget(folderList, 1);
    layout->addWidget(buttons);
    resize(360, 400);

    browse.Start(folderList->core, startFolder);
    folderList->setFocus();
}

std::optional<std::string> TFolderBrowseDialog::AskFolderName() {
    bool confirmed = false;
    const QString name =
        QInputDialog::getText(this, tr("New Folder"), tr("Name of the new folder:"),
                              QLineEdit::Normal, QString(), &confirmed);
    if (!confirmed)
        return std::nullopt;
    return name.toLocal8Bit().toStdString();
}

void TFolderBrowseDialog::ShowWarning(const std::string& text) {
    QMessageBox::warning(this, QString::fromStdString(kApplicationTitle),
                         QString::fromLocal8Bit(text));
}

void TFolderBrowseDialog::ShowError(const std::string& text) {
    ShowErrorBox(QString::fromLocal8Bit(text), this);
}

} // namespace lyricast
