#pragma once

#include "window/OutPathView.h"

namespace lyricast {

class TMainForm;

// The output folder dialog: converted files go beside their sources ("Save to
// original file's paht"), or all into one chosen folder ("Always save to").
// Created once, it keeps its choice for the run; the chosen folder itself is
// the main window's outputFolder.
class ToutPathForm {
public:
    ToutPathForm(TMainForm& mainForm, OutPathView& view) : mainForm_(mainForm), view_(view) {}

    bool savePath = false; // "Always save to" checked; otherwise saveOri is

    void savePathClick();
    void saveOriClick();
    // Puts back a choice remembered from an earlier run, and shows it.
    void Choose(bool alwaysSaveTo);
    void LMDButton1Click();
    void LMDButton2Click();

private:
    TMainForm& mainForm_;
    OutPathView& view_;
};

} // namespace lyricast
