#pragma once

#include "window/LyricStyleView.h"
#include "window/TLyricStyleForm.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lyricast {

class MainWindow;

// The lyric style dialog in Qt: it draws what `form` decides and reports
// the user's clicks to it.
class LyricStyleDialog : public QDialog, public LyricStyleView {
    Q_OBJECT
public:
    explicit LyricStyleDialog(MainWindow* mainWindow);

    TLyricStyleForm form;

    QRadioButton* asWritten = nullptr;
    QRadioButton* keyboard = nullptr;
    QLabel* lineLengthLabel = nullptr;
    QLineEdit* lineLength = nullptr;
    QLabel* lineLengthNote = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

    // LyricStyleView
    void ShowStyle(LyricStyle::Kind kind, const std::string& length, bool lengthEnabled) override;
    std::string LineLengthText() const override;
    void ShowError(const std::string& text) override;
    void CloseDialog() override;

protected:
    void reject() override;
};

} // namespace lyricast
