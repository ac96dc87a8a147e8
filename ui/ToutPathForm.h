#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lyricast {

class TMainForm;

// The output folder dialog: converted files go beside their sources, or all
// into one chosen folder. Created once, it keeps its state for the run; the
// chosen folder itself is the main window's outputFolder.
class ToutPathForm : public QDialog {
    Q_OBJECT
public:
    explicit ToutPathForm(TMainForm* mainForm);

    QLabel* Label1 = nullptr;
    QRadioButton* savePath = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* LMDButton1 = nullptr;
    QRadioButton* saveOri = nullptr;
    QPushButton* LMDButton2 = nullptr;

    void LMDButton1Click();
    void LMDButton2Click();

    void setVisible(bool visible) override;

private:
    TMainForm* mainForm_;
};

} // namespace lyricast
