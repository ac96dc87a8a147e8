#pragma once

#include "window/OutPathView.h"
#include "window/ToutPathForm.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lyricast {

class MainWindow;

// The output folder dialog in Qt: it draws what `form` decides and reports
// the user's clicks to it. The design's controls keep their places; "Keep
// sub-folders" sits beside "Save to original file's paht", under the folder,
// and "If a file exists" in a column of its own on the right.
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
    QCheckBox* keepTree = nullptr;
    QLabel* existingLabel = nullptr;
    QRadioButton* existingReplace = nullptr;
    QRadioButton* existingSkip = nullptr;
    QRadioButton* existingAsk = nullptr;

    // OutPathView
    std::optional<std::string> BrowseForFolder(const std::string& title,
                                               const std::string& startFolder) override;
    void ShowChoice(bool savePathChecked, const std::string& folder) override;
    void ShowExisting(ExistingChoice choice) override;
    void ShowKeepTree(bool checked, bool enabled) override;
    void CloseDialog() override;

    void setVisible(bool visible) override;

private:
    void CreateExistingChoices(int left);
    QRadioButton* ExistingButton(ExistingChoice choice) const;

    MainWindow* mainWindow_;
};

} // namespace lyricast
