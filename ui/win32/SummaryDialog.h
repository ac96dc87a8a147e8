#pragma once

#include "ui/win32/Dialog.h"
#include "window/BatchSummary.h"

#include <functional>

namespace lyricast {

// The box at the end of a batch: the summary's first lines beside the
// information or warning icon, its details in a read-only box that scrolls
// however many they are, "Save Report..." (which leaves the box open), a
// button that opens the folder the files went to, and OK (Enter and Esc
// both close it).
class SummaryDialog : public Dialog {
public:
    enum ControlId { kText = 100, kOpenFolder, kIcon, kDetails, kSaveReport };

    explicit SummaryDialog(BatchSummary summary);

    // Whether the dialog was closed with "Open Folder".
    bool OpenFolderChosen() const { return openFolder_; }

    // What "Save Report..." does.
    std::function<void()> onSaveReport;

private:
    void Create() override;
    void Command(int id, int code) override;

    BatchSummary summary_;
    bool openFolder_ = false;
};

} // namespace lyricast
