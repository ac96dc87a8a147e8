#pragma once

#include "ui/win32/Dialog.h"
#include "window/OutPathView.h"
#include "window/ToutPathForm.h"

namespace lyricast {

class TMainForm;

// The output folder dialog: "Always save to" a folder, or "Save to original
// file's paht"; "Keep sub-folders" beside the second, under the folder; "If
// a file exists" in a column on the right. Created once, it keeps its
// choices between showings; `form` decides, this draws and reports.
class OutPathDialog : public Dialog, public OutPathView {
public:
    enum ControlId {
        kLabel1 = 100,
        kSavePath,
        kEdit1,
        kLMDButton1,
        kSaveOri,
        kLMDButton2,
        kKeepTree,
        kExistingLabel,
        kExistingReplace,
        kExistingSkip,
        kExistingAsk
    };

    explicit OutPathDialog(TMainForm& mainForm);

    ToutPathForm form;

    // OutPathView
    std::optional<std::string> BrowseForFolder(const std::string& title,
                                               const std::string& startFolder) override;
    void ShowChoice(bool savePath, const std::string& folder) override;
    void ShowExisting(ExistingChoice choice) override;
    void ShowKeepTree(bool checked, bool enabled) override;
    void CloseDialog() override;

private:
    void Create() override;
    void Command(int id, int code) override;
    void CreateExistingChoices();

    std::string shownFolder_; // Edit1's text, kept between showings
};

} // namespace lyricast
