#include "window/ToutPathForm.h"

#include "window/TMainForm.h"

namespace lyricast {

void ToutPathForm::savePathClick() {
    savePath = true;
    ShowKeepTree();
}

void ToutPathForm::saveOriClick() {
    savePath = false;
    ShowKeepTree();
}

void ToutPathForm::existingReplaceClick() {
    ifExists = ExistingChoice::Replace;
}

void ToutPathForm::existingSkipClick() {
    ifExists = ExistingChoice::Skip;
}

void ToutPathForm::existingAskClick() {
    ifExists = ExistingChoice::Ask;
}

void ToutPathForm::keepTreeClick() {
    keepTree = !keepTree;
}

void ToutPathForm::Choose(bool alwaysSaveTo) {
    savePath = alwaysSaveTo;
    view_.ShowChoice(savePath, mainForm_.outputFolder);
    ShowKeepTree();
}

void ToutPathForm::ChooseExisting(ExistingChoice choice) {
    ifExists = choice;
    view_.ShowExisting(ifExists);
}

void ToutPathForm::ChooseKeepTree(bool keep) {
    keepTree = keep;
    ShowKeepTree();
}

// Cancelled or not, the choice is now the one folder.
void ToutPathForm::LMDButton1Click() {
    if (auto folder = view_.BrowseForFolder("Output Folder", mainForm_.outputFolder))
        mainForm_.outputFolder = std::move(*folder);
    savePath = true;
    view_.ShowChoice(savePath, mainForm_.outputFolder);
    ShowKeepTree();
}

void ToutPathForm::LMDButton2Click() {
    view_.CloseDialog();
}

// Sub-folders are kept below the one folder only.
void ToutPathForm::ShowKeepTree() {
    view_.ShowKeepTree(keepTree, savePath);
}

} // namespace lyricast
