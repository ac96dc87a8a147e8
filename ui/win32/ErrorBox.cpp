#include "ui/win32/ErrorBox.h"

#include "ui/win32/CodePageText.h"
#include "window/AppInfo.h"

namespace lyricast {

void ShowErrorBox(HWND owner, const std::string& text) {
    MessageBoxA(owner, ShownText(text).c_str(), kApplicationTitle.c_str(), MB_ICONERROR | MB_OK);
}

} // namespace lyricast
