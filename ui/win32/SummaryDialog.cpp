#include "ui/win32/SummaryDialog.h"

#include "ui/win32/Controls.h"
#include "window/AppInfo.h"

#include <algorithm>

namespace lyricast {
namespace {

constexpr int kWidth = 480;
constexpr int kLineHeight = 15;

int TextHeight(const std::string& text) {
    const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
    return static_cast<int>(std::min<std::ptrdiff_t>(lines, 30)) * kLineHeight + 4;
}

} // namespace

SummaryDialog::SummaryDialog(std::string text)
    : Dialog(kApplicationTitle, kWidth, TextHeight(text) + 60), text_(std::move(text)) {}

void SummaryDialog::Create() {
    HWND dialog = Handle();
    const int textHeight = TextHeight(text_);
    CreateChild(dialog, "STATIC", text_, WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                {12, 12, kWidth - 24, textHeight}, kText);
    // OK first in the tab order: the dialog starts there, so Enter means OK.
    CreateChild(dialog, "BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                {kWidth - 100, textHeight + 24, 88, 25}, IDOK);
    CreateChild(dialog, "BUTTON", "&Open Folder", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                {kWidth - 220, textHeight + 24, 110, 25}, kOpenFolder);
}

void SummaryDialog::Command(int id, int code) {
    if (code != BN_CLICKED)
        return;
    openFolder_ = id == kOpenFolder;
    if (id == kOpenFolder || id == IDOK || id == IDCANCEL)
        End(id);
}

} // namespace lyricast
