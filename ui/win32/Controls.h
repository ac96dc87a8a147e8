#pragma once

#include "ui/win32/Box.h"

#include <windows.h>

#include <string>

namespace lyricast {

// The font of every window and dialog: the system's 8-point dialog font.
HFONT UiFont();
// The height of a line of text in UiFont.
int UiTextHeight();

// A child window in the ui font, visible unless `style` says otherwise.
HWND CreateChild(HWND parent, const char* className, const std::string& text, DWORD style,
                 const Box& box, int id, DWORD exStyle = 0);
void Place(HWND window, const Box& box);
std::string WindowText(HWND window);
// Sets a window's text, given in UTF-8.
void SetText(HWND window, const std::string& text);

} // namespace lyricast
