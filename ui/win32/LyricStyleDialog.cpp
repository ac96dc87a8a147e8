#include "ui/win32/LyricStyleDialog.h"

#include "ui/win32/Controls.h"
#include "ui/win32/ErrorBox.h"

namespace lyricast {

LyricStyleDialog::LyricStyleDialog(TMainForm& mainForm)
    : Dialog(kLyricStyleTitle, 300, 118), form(mainForm, *this) {}

// In tab order: the two choices, the longest line, OK and Cancel.
void LyricStyleDialog::Create() {
    HWND dialog = Handle();
    CreateChild(dialog, "BUTTON", kAsWrittenCaption,
                WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, {16, 10, 200, 21},
                kAsWritten);
    CreateChild(dialog, "BUTTON", kKeyboardCaption, WS_VISIBLE | BS_AUTORADIOBUTTON,
                {16, 34, 200, 21}, kKeyboard);
    CreateChild(dialog, "STATIC", kLineLengthCaption, WS_VISIBLE | WS_GROUP, {36, 63, 72, 17},
                kLengthLabel);
    CreateChild(dialog, "EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, {110, 60, 48, 21},
                kLength, WS_EX_CLIENTEDGE);
    SendDlgItemMessageW(dialog, kLength, EM_LIMITTEXT, 5, 0);
    CreateChild(dialog, "STATIC", kLineLengthNote, WS_VISIBLE, {164, 63, 130, 17}, kLengthNote);
    CreateChild(dialog, "BUTTON", kLyricStyleOk,
                WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, {134, 88, 75, 25}, kOk);
    CreateChild(dialog, "BUTTON", kLyricStyleCancel, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                {217, 88, 75, 25}, kCancel);
    form.FormShow();
}

void LyricStyleDialog::Command(int id, int code) {
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case kAsWritten:
        return form.asWrittenClick();
    case kKeyboard:
        return form.keyboardClick();
    case kOk: // also Enter
        return form.OkClick();
    case kCancel: // also Escape and the title bar's close box
        return form.CancelClick();
    default:
        return;
    }
}

void LyricStyleDialog::ShowStyle(LyricStyle::Kind kind, const std::string& lineLength,
                                 bool lineLengthEnabled) {
    const bool keyboard = kind == LyricStyle::Kind::Keyboard;
    CheckRadioButton(Handle(), kAsWritten, kKeyboard, keyboard ? kKeyboard : kAsWritten);
    SetText(GetDlgItem(Handle(), kLength), lineLength);
    for (const int id : {kLengthLabel, kLength, kLengthNote})
        EnableWindow(GetDlgItem(Handle(), id), lineLengthEnabled ? TRUE : FALSE);
}

std::string LyricStyleDialog::LineLengthText() const {
    return WindowText(GetDlgItem(Handle(), kLength));
}

void LyricStyleDialog::ShowError(const std::string& text) {
    ShowErrorBox(Handle(), text);
}

void LyricStyleDialog::CloseDialog() {
    End(IDCANCEL);
}

} // namespace lyricast
