#pragma once

#include "window/OutPathView.h"
#include "window/ToutPathForm.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lyricast {

class MainWindow;

// The output folder dialog in Qt: it draws what `form` decides and reports
// the user's clicks to it.
class OutPathDialog : public QDialog, public OutPathView {
    Q_OBJECT
public:
    explicit OutPathDialog(MainWindow* mainWindow);

    ToutPathForm form;

    QLabel* Label1 = nullptr;
    QRadioButton* savePath = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* LMDButton1 = nullptr;
    QRadioButton* saveOri = nullptr;
    QPushButton* LMDButton2 = nullptr;

    // OutPathView
    std::optional<std::string> BrowseForFolder(const std::string& title,
                                               const std::string& startFolder) override;
    void ShowChoice(bool savePathChecked, const std::string& folder) override;
    void CloseDialog() override;

    void setVisible(bool visible) override;

private:
    MainWindow* mainWindow_;
};

} // namespace lyricast
