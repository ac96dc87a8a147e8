#include "ui/win32/NameDialog.h"

#include "ui/win32/Controls.h"

namespace lyricast {

NameDialog::NameDialog(const std::string& title, std::string prompt)
    : Dialog(title, 300, 100), prompt_(std::move(prompt)) {}

void NameDialog::Create() {
    HWND dialog = Handle();
    CreateChild(dialog, "STATIC", prompt_, WS_VISIBLE, {10, 10, 280, 17}, kPrompt);
    HWND name = CreateChild(dialog, "EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                            {10, 30, 280, 21}, kName, WS_EX_CLIENTEDGE);
    CreateChild(dialog, "BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                {120, 65, 80, 25}, IDOK);
    CreateChild(dialog, "BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                {210, 65, 80, 25}, IDCANCEL);
    SetFocus(name);
}

void NameDialog::Command(int id, int code) {
    if (code != BN_CLICKED)
        return;
    if (id == IDOK)
        text_ = WindowText(GetDlgItem(Handle(), kName));
    if (id == IDOK || id == IDCANCEL)
        End(id);
}

} // namespace lyricast
