#pragma once

#include "ui/win32/Dialog.h"

#include <string>

namespace lyricast {

// The word at the end of a batch: its text, a button that opens the folder
// the files went to, and OK (Enter and Esc both close it).
class SummaryDialog : public Dialog {
public:
    enum ControlId { kText = 100, kOpenFolder };

    explicit SummaryDialog(std::string text);

    // Whether the dialog was closed with "Open Folder".
    bool OpenFolderChosen() const { return openFolder_; }

private:
    void Create() override;
    void Command(int id, int code) override;

    std::string text_;
    bool openFolder_ = false;
};

} // namespace lyricast
