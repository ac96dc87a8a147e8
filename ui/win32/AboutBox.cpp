#include "ui/win32/AboutBox.h"

#include "ui/win32/WideText.h"
#include "ui/win32/resources/ResourceIds.h"
#include "window/AppInfo.h"

namespace lyricast {

std::string AboutText() {
    return kApplicationTitle + "\n" + kVersionText + "\nBy " + kMakerName +
           "\n\nConverts karaoke files (.KAR) into standard MIDI files\n"
           "whose words players show as lyrics.";
}

void ShowAboutBox(HWND owner) {
    const std::wstring text = Wide(AboutText());
    const std::wstring title = Wide("About " + kApplicationTitle);
    MSGBOXPARAMSW box{};
    box.cbSize = sizeof box;
    box.hwndOwner = owner;
    box.hInstance = GetModuleHandleW(nullptr);
    box.lpszText = text.c_str();
    box.lpszCaption = title.c_str();
    box.dwStyle = MB_OK | MB_USERICON;
    box.lpszIcon = MAKEINTRESOURCEW(IDI_APPLICATION_ICON);
    MessageBoxIndirectW(&box);
}

} // namespace lyricast
