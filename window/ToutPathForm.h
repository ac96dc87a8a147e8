#pragma once

#include "window/ExistingChoice.h"
#include "window/OutPathView.h"

namespace lyricast {

class TMainForm;

// The captions the dialog shows beside the design's: "If a file exists:"
// above its three choices (captioned by ExistingChoiceCaption), and the
// folder tree's check box, each with the letter that chooses it.
inline constexpr const char* kIfExistsCaption = "If a file exists:";
inline constexpr const char* kKeepTreeCaption = "&Keep sub-folders";

// The output folder dialog: converted files go beside their sources ("Save to
// original file's paht"), or all into one chosen folder ("Always save to"),
// there at the same place below it as their sources are below the folder
// listed when "Keep sub-folders" is checked; and "If a file exists" says what
// a batch does with a file it would write that is there already. Created
// once, it keeps its choices for the run; the chosen folder itself is the
// main window's outputFolder.
class ToutPathForm {
public:
    ToutPathForm(TMainForm& mainForm, OutPathView& view) : mainForm_(mainForm), view_(view) {}

    bool savePath = false; // "Always save to" checked; otherwise saveOri is
    ExistingChoice ifExists = ExistingChoice::Replace;
    bool keepTree = false; // "Keep sub-folders"

    void savePathClick();
    void saveOriClick();
    void existingReplaceClick();
    void existingSkipClick();
    void existingAskClick();
    void keepTreeClick();
    // Puts back choices remembered from an earlier run (or answered for every
    // later batch), and shows them.
    void Choose(bool alwaysSaveTo);
    void ChooseExisting(ExistingChoice choice);
    void ChooseKeepTree(bool keep);
    void LMDButton1Click();
    void LMDButton2Click();

    // The folder tree is kept: "Keep sub-folders" with "Always save to".
    bool KeepsTree() const { return savePath && keepTree; }

private:
    void ShowKeepTree();

    TMainForm& mainForm_;
    OutPathView& view_;
};

} // namespace lyricast
