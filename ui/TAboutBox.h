#pragma once

#include <QDialog>

namespace lyricast {

inline const QString kVersionText = QStringLiteral("Vers. 2.1");
inline const QString kMakerName = QStringLiteral("Lyricast Team");

// The About box: the program's name, its version and its maker.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent);
};

} // namespace lyricast
