#pragma once

#include "ui/win32/Dialog.h"
#include "window/LyricStyleView.h"
#include "window/TLyricStyleForm.h"

namespace lyricast {

class TMainForm;

// The lyric style dialog: "As written" or "Keyboard", and the longest line
// below Keyboard; `form` decides, this draws and reports.
class LyricStyleDialog : public Dialog, public LyricStyleView {
public:
    enum ControlId {
        kAsWritten = 100,
        kKeyboard,
        kLengthLabel,
        kLength,
        kLengthNote,
        kOk = IDOK,
        kCancel = IDCANCEL
    };

    explicit LyricStyleDialog(TMainForm& mainForm);

    TLyricStyleForm form;

    // LyricStyleView
    void ShowStyle(LyricStyle::Kind kind, const std::string& lineLength,
                   bool lineLengthEnabled) override;
    std::string LineLengthText() const override;
    void ShowError(const std::string& text) override;
    void CloseDialog() override;

private:
    void Create() override;
    void Command(int id, int code) override;
};

} // namespace lyricast
