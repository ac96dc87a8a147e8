#include "ui/win32/SummaryDialog.h"

#include "ui/win32/Controls.h"
#include "window/AppInfo.h"

#include <algorithm>

namespace lyricast {
namespace {

constexpr int kWidth = 560;
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kDetailLinesShown = 12;
constexpr int kButtonHeight = 25;

int LinesOf(const std::string& text) {
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

int HeadHeight(const BatchSummary& summary) {
    return std::max(kIconSize, LinesOf(summary.head) * UiTextHeight() + 4);
}

// Room for a dozen lines at most; the rest is a scroll away.
int DetailsHeight(const BatchSummary& summary) {
    if (summary.details.empty())
        return 0;
    const int shown = std::min<int>(static_cast<int>(summary.details.size()), kDetailLinesShown);
    return shown * UiTextHeight() + 2 * GetSystemMetrics(SM_CYEDGE) +
           GetSystemMetrics(SM_CYHSCROLL) + 4;
}

int ButtonsTop(const BatchSummary& summary) {
    const int details = DetailsHeight(summary);
    return kMargin + HeadHeight(summary) + (details > 0 ? kMargin + details : 0) + kMargin;
}

// An edit box breaks lines at "\r\n" only.
std::string DetailsText(const std::vector<std::string>& details) {
    std::string text;
    for (const std::string& line : details)
        text += (text.empty() ? "" : "\r\n") + line;
    return text;
}

} // namespace

SummaryDialog::SummaryDialog(BatchSummary summary)
    : Dialog(kApplicationTitle, kWidth, ButtonsTop(summary) + kButtonHeight + kMargin),
      summary_(std::move(summary)) {}

void SummaryDialog::Create() {
    HWND dialog = Handle();
    const int top = ButtonsTop(summary_);
    // OK first in the tab order: the dialog starts there, so Enter means OK,
    // and the list is not all selected as a box that has the focus would be.
    CreateChild(dialog, "BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                {kWidth - 100, top, 88, kButtonHeight}, IDOK);
    CreateChild(dialog, "BUTTON", "&Open Folder", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                {kWidth - 220, top, 110, kButtonHeight}, kOpenFolder);
    CreateChild(dialog, "BUTTON", kSaveReportCaption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                {kWidth - 340, top, 110, kButtonHeight}, kSaveReport);
    HWND icon = CreateChild(dialog, "STATIC", "", WS_VISIBLE | SS_ICON,
                            {kMargin, kMargin, kIconSize, kIconSize}, kIcon);
    SendMessageW(
        icon, STM_SETICON,
        reinterpret_cast<WPARAM>(SystemIcon(summary_.warning ? IDI_WARNING : IDI_INFORMATION)), 0);
    const int textLeft = kMargin + kIconSize + kMargin;
    CreateChild(dialog, "STATIC", summary_.head, WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                {textLeft, kMargin, kWidth - textLeft - kMargin, HeadHeight(summary_)}, kText);
    if (!summary_.details.empty())
        CreateChild(dialog, "EDIT", DetailsText(summary_.details),
                    WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                        ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                    {kMargin, kMargin + HeadHeight(summary_) + kMargin, kWidth - 2 * kMargin,
                     DetailsHeight(summary_)},
                    kDetails, WS_EX_CLIENTEDGE);
}

void SummaryDialog::Command(int id, int code) {
    if (code != BN_CLICKED)
        return;
    if (id == kSaveReport) {
        if (onSaveReport)
            onSaveReport();
        return;
    }
    openFolder_ = id == kOpenFolder;
    if (id == kOpenFolder || id == IDOK || id == IDCANCEL)
        End(id);
}

} // namespace lyricast
