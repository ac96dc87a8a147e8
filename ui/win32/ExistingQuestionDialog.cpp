#include "ui/win32/ExistingQuestionDialog.h"

#include "ui/win32/Controls.h"
#include "ui/win32/WideText.h"
#include "window/AppInfo.h"

#include <algorithm>

namespace lyricast {
namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 6;
constexpr int kNarrowest = 4 * kButtonWidth + 3 * kButtonGap;

// The question's size in the ui font, its lines broken within two thirds of the screen.
SIZE TextSize(const std::string& utf8) {
    const std::wstring text = Wide(utf8);
    HDC dc = GetDC(nullptr);
    const HGDIOBJ before = SelectObject(dc, UiFont());
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN) * 2 / 3, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    return {std::max<LONG>(area.right, kNarrowest - kIconSize - kMargin), area.bottom};
}

int ClientWidth(const SIZE& text) {
    return kMargin + kIconSize + kMargin + text.cx + kMargin;
}

int ButtonsTop(const SIZE& text) {
    return kMargin + std::max<int>(kIconSize, text.cy) + kMargin;
}

} // namespace

ExistingQuestionDialog::ExistingQuestionDialog(std::string question)
    : Dialog(kApplicationTitle, ClientWidth(TextSize(question)),
             ButtonsTop(TextSize(question)) + kButtonHeight + kMargin),
      question_(std::move(question)), text_(TextSize(question_)) {}

// The default button first in the tab order, so that the dialog starts on
// it; the buttons stand left to right in their own order.
void ExistingQuestionDialog::Create() {
    HWND dialog = Handle();
    const auto buttons = ExistingAnswerButtons();
    const int count = static_cast<int>(buttons.size());
    const int first =
        ClientWidth(text_) - kMargin - count * (kButtonWidth + kButtonGap) + kButtonGap;
    const auto add = [&](int i) {
        const bool byDefault =
            buttons[static_cast<std::size_t>(i)].answer == kExistingAnswerByDefault;
        CreateChild(dialog, "BUTTON", buttons[static_cast<std::size_t>(i)].caption,
                    WS_VISIBLE | WS_TABSTOP | (byDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                    {first + i * (kButtonWidth + kButtonGap), ButtonsTop(text_), kButtonWidth,
                     kButtonHeight},
                    kFirstButton + i);
    };
    for (int i = 0; i < count; ++i)
        if (buttons[static_cast<std::size_t>(i)].answer == kExistingAnswerByDefault) {
            add(i);
            SendMessageW(dialog, DM_SETDEFID, static_cast<WPARAM>(kFirstButton + i), 0);
        }
    for (int i = 0; i < count; ++i)
        if (buttons[static_cast<std::size_t>(i)].answer != kExistingAnswerByDefault)
            add(i);
    HWND icon = CreateChild(dialog, "STATIC", "", WS_VISIBLE | SS_ICON,
                            {kMargin, kMargin, kIconSize, kIconSize}, kIcon);
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(SystemIcon(IDI_QUESTION)), 0);
    CreateChild(dialog, "STATIC", question_, WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
                {2 * kMargin + kIconSize, kMargin, text_.cx, text_.cy}, kText);
}

void ExistingQuestionDialog::Command(int id, int code) {
    if (code != BN_CLICKED)
        return;
    const auto buttons = ExistingAnswerButtons();
    const int index = id - kFirstButton;
    if (index >= 0 && index < static_cast<int>(buttons.size()))
        answer_ = buttons[static_cast<std::size_t>(index)].answer;
    else if (id != IDCANCEL && id != IDOK)
        return;
    End(id);
}

} // namespace lyricast
