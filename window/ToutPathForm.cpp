#include "window/ToutPathForm.h"

#include "window/TMainForm.h"

namespace lyricast {

void ToutPathForm::savePathClick() {
    savePath = true;
}

void ToutPathForm::saveOriClick() {
    savePath = false;
}

void ToutPathForm::Choose(bool alwaysSaveTo) {
    savePath = alwaysSaveTo;
    view_.ShowChoice(savePath, mainForm_.outputFolder);
}

// Cancelled or not, the choice is now the one folder.
void ToutPathForm::LMDButton1Click() {
    if (auto folder = view_.BrowseForFolder("Output Folder", mainForm_.outputFolder))
        mainForm_.outputFolder = std::move(*folder);
    savePath = true;
    view_.ShowChoice(savePath, mainForm_.outputFolder);
}

void ToutPathForm::LMDButton2Click() {
    view_.CloseDialog();
}

} // namespace lyricast
