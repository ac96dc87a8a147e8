#pragma once

#include <QDialog>

namespace lyricast {

// The About box: the program's name, its version and its maker.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent);
};

} // namespace lyricast
