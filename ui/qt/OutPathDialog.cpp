#include "ui/qt/OutPathDialog.h"

#include "ui/qt/MainWindow.h"
#include "ui/qt/TFolderBrowseDialog.h"
#include "window/ErrorBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace lyricast {
namespace {

template <typename Widget>
Widget* Place(Widget* widget, const char* name, int x, int y, int width, int height) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, width, height);
    return widget;
}

} // namespace

OutPathDialog::OutPathDialog(MainWindow* mainWindow)
    : QDialog(mainWindow), form(mainWindow->form, *this), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("outPathForm"));
    setWindowTitle(QStringLiteral("Output Path"));

    // The places of a small 8-point font; a wider system font pushes the
    // text box and its button right rather than cutting the caption short.
    Label1 = Place(new QLabel(QStringLiteral("Output Path"), this), "Label1", 8, 8, 120, 17);
    savePath = Place(new QRadioButton(QStringLiteral("Always save to"), this), "savePath", 40, 36,
                     101, 21);
    savePath->resize(std::max(101, savePath->sizeHint().width()), 21);
    const int editLeft = std::max(144, savePath->geometry().right() + 4);
    Edit1 = Place(new QLineEdit(this), "Edit1", editLeft, 36, 225, 21);
    Edit1->setReadOnly(true);
    // Read-only in look too: on the dialog's own colour, as no box one types in is.
    QPalette readOnly = Edit1->palette();
    readOnly.setColor(QPalette::Base, readOnly.color(QPalette::Window));
    Edit1->setPalette(readOnly);
    LMDButton1 = Place(new QPushButton(QStringLiteral("..."), this), "LMDButton1", editLeft + 234,
                       33, 75, 25);
    saveOri = Place(new QRadioButton(QStringLiteral("Save to original file's paht"), this),
                    "saveOri", 40, 68, 161, 21);
    saveOri->resize(std::max(161, saveOri->sizeHint().width()), 21);
    saveOri->setChecked(true);
    LMDButton2 =
        Place(new QPushButton(QStringLiteral("Close"), this), "LMDButton2", 176, 104, 75, 25);
    keepTree = Place(new QCheckBox(QString::fromLatin1(kKeepTreeCaption), this), "keepTree",
                     std::max(editLeft, saveOri->geometry().right() + 12), 68, 137, 21);
    keepTree->resize(std::max(137, keepTree->sizeHint().width()), 21);
    CreateExistingChoices(LMDButton1->geometry().right() + 24);
    setFixedSize(std::max({existingLabel->geometry().right(), existingAsk->geometry().right(),
                           keepTree->geometry().right()}) +
                     16,
                 145);

    auto* choice = new QButtonGroup(this);
    choice->addButton(savePath);
    choice->addButton(saveOri);
    setTabOrder(savePath, Edit1);
    setTabOrder(Edit1, LMDButton1);
    setTabOrder(LMDButton1, saveOri);
    setTabOrder(saveOri, keepTree);
    setTabOrder(keepTree, existingReplace);
    setTabOrder(existingReplace, existingSkip);
    setTabOrder(existingSkip, existingAsk);
    setTabOrder(existingAsk, LMDButton2);

    connect(savePath, &QRadioButton::clicked, this, [this] { form.savePathClick(); });
    connect(saveOri, &QRadioButton::clicked, this, [this] { form.saveOriClick(); });
    connect(LMDButton1, &QPushButton::clicked, this,
            [this] { CallHandler(*mainWindow_, [this] { form.LMDButton1Click(); }); });
    connect(LMDButton2, &QPushButton::clicked, this, [this] { form.LMDButton2Click(); });
    connect(keepTree, &QCheckBox::clicked, this, [this] { form.keepTreeClick(); });
    connect(existingReplace, &QRadioButton::clicked, this, [this] { form.existingReplaceClick(); });
    connect(existingSkip, &QRadioButton::clicked, this, [this] { form.existingSkipClick(); });
    connect(existingAsk, &QRadioButton::clicked, this, [this] { form.existingAskClick(); });
    ShowExisting(form.ifExists);
    ShowKeepTree(form.keepTree, form.savePath);
}

// "If a file exists:" and its three choices, one group, from `left`.
void OutPathDialog::CreateExistingChoices(int left) {
    existingLabel = Place(new QLabel(QString::fromLatin1(kIfExistsCaption), this), "existingLabel",
                          left, 8, 120, 17);
    existingLabel->resize(std::max(120, existingLabel->sizeHint().width()), 17);
    const auto choice = [this, left](ExistingChoice existing, const char* name, int top) {
        auto* button =
            Place(new QRadioButton(QString::fromLatin1(ExistingChoiceCaption(existing)), this),
                  name, left + 8, top, 90, 21);
        button->resize(std::max(90, button->sizeHint().width()), 21);
        return button;
    };
    existingReplace = choice(ExistingChoice::Replace, "existingReplace", 36);
    existingSkip = choice(ExistingChoice::Skip, "existingSkip", 58);
    existingAsk = choice(ExistingChoice::Ask, "existingAsk", 80);
    auto* group = new QButtonGroup(this);
    for (QRadioButton* button : {existingReplace, existingSkip, existingAsk})
        group->addButton(button);
}

QRadioButton* OutPathDialog::ExistingButton(ExistingChoice choice) const {
    switch (choice) {
    case ExistingChoice::Replace:
        return existingReplace;
    case ExistingChoice::Skip:
        return existingSkip;
    case ExistingChoice::Ask:
        break;
    }
    return existingAsk;
}

void OutPathDialog::setVisible(bool visible) {
    // Centred on the main window wherever that is, at every showing.
    if (visible)
        move(mainWindow_->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    QDialog::setVisible(visible);
}

std::optional<std::string> OutPathDialog::BrowseForFolder(const std::string& title,
                                                          const std::string& startFolder) {
    TFolderBrowseDialog LMDDirDlg1(this, QString::fromStdString(title), startFolder);
    if (LMDDirDlg1.exec() != QDialog::Accepted)
        return std::nullopt;
    return LMDDirDlg1.Folder();
}

void OutPathDialog::ShowChoice(bool savePathChecked, const std::string& folder) {
    (savePathChecked ? savePath : saveOri)->setChecked(true);
    Edit1->setText(QString::fromLocal8Bit(folder));
}

void OutPathDialog::ShowExisting(ExistingChoice choice) {
    ExistingButton(choice)->setChecked(true);
}

void OutPathDialog::ShowKeepTree(bool checked, bool enabled) {
    keepTree->setChecked(checked);
    keepTree->setEnabled(enabled);
}

void OutPathDialog::CloseDialog() {
    close();
}

} // namespace lyricast
