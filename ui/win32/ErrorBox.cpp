#include "ui/win32/ErrorBox.h"

#include "ui/win32/WideText.h"
#include "window/AppInfo.h"

namespace lyricast {

void ShowErrorBox(HWND owner, const std::string& text) {
    MessageBoxW(owner, Wide(text).c_str(), Wide(kApplicationTitle).c_str(), MB_ICONERROR | MB_OK);
}

} // namespace lyricast
