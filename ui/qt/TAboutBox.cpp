#include "ui/qt/TAboutBox.h"

#include "ui/qt/AppIcon.h"
#include "window/AppInfo.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace lyricast {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("LMDAboutDlg1"));
    setWindowTitle(QStringLiteral("About ") + QString::fromStdString(kApplicationTitle));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("programIcon"));
    icon->setPixmap(AppIcon().pixmap(64, 64));

    auto* name = new QLabel(QString::fromStdString(kApplicationTitle), this);
    name->setObjectName(QStringLiteral("programName"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);

    auto* version = new QLabel(QString::fromStdString(kVersionText), this);
    version->setObjectName(QStringLiteral("versionText"));
    auto* maker = new QLabel(QStringLiteral("By ") + QString::fromStdString(kMakerName), this);
    maker->setObjectName(QStringLiteral("makerName"));
    auto* purpose = new QLabel(tr("Converts karaoke files (.KAR) into standard MIDI files\n"
                                  "whose words players show as lyrics."),
                               this);

    auto* texts = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(name), static_cast<QWidget*>(version),
                       static_cast<QWidget*>(maker), static_cast<QWidget*>(purpose)})
        texts->addWidget(w);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

} // namespace lyricast
