#include "ui/qt/LyricStyleDialog.h"

#include "ui/qt/ErrorBox.h"
#include "ui/qt/MainWindow.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace lyricast {
namespace {

template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

// As written above Keyboard, the longest line indented below Keyboard, OK
// and Cancel at the bottom right.
LyricStyleDialog::LyricStyleDialog(MainWindow* mainWindow)
    : QDialog(mainWindow), form(mainWindow->form, *this) {
    setObjectName(QStringLiteral("lyricStyleForm"));
    setWindowTitle(QString::fromLatin1(kLyricStyleTitle));
    asWritten = Named(new QRadioButton(QString::fromLatin1(kAsWrittenCaption), this), "asWritten");
    keyboard = Named(new QRadioButton(QString::fromLatin1(kKeyboardCaption), this), "keyboard");
    lineLengthLabel =
        Named(new QLabel(QString::fromLatin1(kLineLengthCaption), this), "lineLengthLabel");
    lineLength = Named(new QLineEdit(this), "lineLength");
    lineLength->setMaxLength(5);
    lineLength->setFixedWidth(lineLength->fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                              16);
    lineLengthLabel->setBuddy(lineLength);
    lineLengthNote =
        Named(new QLabel(QString::fromLatin1(kLineLengthNote), this), "lineLengthNote");
    okButton = Named(new QPushButton(QString::fromLatin1(kLyricStyleOk), this), "okButton");
    okButton->setDefault(true);
    cancelButton =
        Named(new QPushButton(QString::fromLatin1(kLyricStyleCancel), this), "cancelButton");

    auto* group = new QButtonGroup(this);
    group->addButton(asWritten);
    group->addButton(keyboard);
    auto* grid = new QGridLayout(this);
    grid->addWidget(asWritten, 0, 0, 1, 4);
    grid->addWidget(keyboard, 1, 0, 1, 4);
    grid->setColumnMinimumWidth(0, 16);
    grid->addWidget(lineLengthLabel, 2, 1);
    grid->addWidget(lineLength, 2, 2);
    grid->addWidget(lineLengthNote, 2, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 3, 0, 1, 4);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(asWritten, &QRadioButton::clicked, this, [this] { form.asWrittenClick(); });
    connect(keyboard, &QRadioButton::clicked, this, [this] { form.keyboardClick(); });
    connect(okButton, &QPushButton::clicked, this, [this] { form.OkClick(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { form.CancelClick(); });
    form.FormShow();
}

void LyricStyleDialog::ShowStyle(LyricStyle::Kind kind, const std::string& length,
                                 bool lengthEnabled) {
    (kind == LyricStyle::Kind::Keyboard ? keyboard : asWritten)->setChecked(true);
    lineLength->setText(QString::fromStdString(length));
    for (QWidget* widget :
         {static_cast<QWidget*>(lineLengthLabel), static_cast<QWidget*>(lineLength),
          static_cast<QWidget*>(lineLengthNote)})
        widget->setEnabled(lengthEnabled);
}

std::string LyricStyleDialog::LineLengthText() const {
    return lineLength->text().toStdString();
}

void LyricStyleDialog::ShowError(const std::string& text) {
    ShowErrorBox(QString::fromStdString(text), this);
}

void LyricStyleDialog::CloseDialog() {
    QDialog::reject();
}

// Escape and the title bar's close box cancel, as the Cancel button does.
void LyricStyleDialog::reject() {
    form.CancelClick();
}

} // namespace lyricast
