#include "ui/qt/TFolderBrowseDialog.h"

#include "platform/CurrentDirectory.h"
#include "platform/DirectoryError.h"
#include "platform/PathRules.h"
#include "ui/qt/ErrorBox.h"
#include "window/AppInfo.h"
#include "ui/qt/TDirectoryListBox.h"
#include "ui/qt/TDriveComboBox.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace lyricast {
namespace {

std::string CurrentFolderOrNothing() {
    try {
        return GetCurrentDir();
    } catch (const DirectoryError&) {
        return {};
    }
}

// The folder and a name inside it, without doubling a root's separator.
std::string Inside(const std::string& folder, const std::string& name) {
    const PathRules& rules = PathRules::Native();
    if (!folder.empty() && rules.IsSeparator(folder.back())) return folder + name;
    return rules.Join(folder, name);
}

} // namespace

TFolderBrowseDialog::TFolderBrowseDialog(QWidget* parent, const QString& title, const std::string& startFolder)
    : QDialog(parent), startingCurrentFolder_(CurrentFolderOrNothing()) {
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
    newFolderButton->setAutoDefault(false);
    connect(newFolderButton, &QPushButton::clicked, this, &TFolderBrowseDialog::NewFolderClick, Qt::QueuedConnection);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(newFolderButton, QDialogButtonBox::ActionRole);
    // Enter belongs to the folder list, which opens the chosen folder with it.
    for (QAbstractButton* button : buttons->buttons())
        if (auto* push = qobject_cast<QPushButton*>(button)) push->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Drive:"), this));
    layout->addWidget(driveBox);
    layout->addWidget(new QLabel(tr("Folder:"), this));
    layout->addWidget(folderList, 1);
    layout->addWidget(buttons);
    resize(360, 400);

    if (!startFolder.empty()) {
        try {
            folderList->SetDirectory(startFolder);
        } catch (const DirectoryError&) {
            // A folder that is gone: start from the current folder instead.
        }
    }
    folderList->setFocus();
}

TFolderBrowseDialog::~TFolderBrowseDialog() {
    if (startingCurrentFolder_.empty()) return;
    try {
        SetCurrentDir(startingCurrentFolder_);
    } catch (const DirectoryError&) {
        // The folder went away meanwhile; the current folder stays where browsing left it.
    }
}

const std::string& TFolderBrowseDialog::Folder() const { return folderList->Directory(); }

void TFolderBrowseDialog::NewFolderClick() {
    bool confirmed = false;
    const QString name = QInputDialog::getText(this, tr("New Folder"), tr("Name of the new folder:"),
                                               QLineEdit::Normal, QString(), &confirmed);
    if (!confirmed) return;
    if (!CreateAndOpen(name))
        QMessageBox::warning(this, QString::fromStdString(kApplicationTitle), QStringLiteral("IO-Error!\nCould not create folder."));
}

bool TFolderBrowseDialog::CreateAndOpen(const QString& name) {
    if (name.isEmpty()) return false;
    const std::string path = Inside(folderList->Directory(), name.toLocal8Bit().toStdString());
    if (!QDir().mkdir(QString::fromLocal8Bit(path))) return false;
    folderList->SetDirectory(path);
    return true;
}

} // namespace lyricast
