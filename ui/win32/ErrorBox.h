#pragma once

#include <windows.h>

#include <string>

namespace lyricast {

// The application's error box: titled with its name, the error icon, OK.
void ShowErrorBox(HWND owner, const std::string& text);

// Shows the errors of the handlers a dialog calls (through CallHandler) over that dialog.
struct DialogErrors {
    HWND owner = nullptr;
    void ShowError(const std::string& text) const { ShowErrorBox(owner, text); }
};

} // namespace lyricast
