#include "ui/win32/AboutBox.h"

#include "ui/win32/resources/ResourceIds.h"
#include "window/AppInfo.h"

namespace lyricast {

std::string AboutText() {
    return kApplicationTitle + "\n" + kVersionText + "\nBy " + kMakerName +
           "\n\nConverts karaoke files (.KAR) into standard MIDI files\n"
           "whose words players show as lyrics.";
}

void ShowAboutBox(HWND owner) {
    const std::string text = AboutText();
    const std::string title = "About " + kApplicationTitle;
    MSGBOXPARAMSA box{};
    box.cbSize = sizeof box;
    box.hwndOwner = owner;
    box.hInstance = GetModuleHandleA(nullptr);
    box.lpszText = text.c_str();
    box.lpszCaption = title.c_str();
    box.dwStyle = MB_OK | MB_USERICON;
    box.lpszIcon = MAKEINTRESOURCEA(IDI_APPLICATION_ICON);
    MessageBoxIndirectA(&box);
}

} // namespace lyricast
