#pragma once

#include "ui/win32/Box.h"

#include <windows.h>

#include <string>

namespace lyricast {

// The font of every window and dialog: the system's 8-point dialog font.
HFONT UiFont();
// The height of a line of text in UiFont.
int UiTextHeight();

// A child window in the ui font, visible unless `style` says otherwise; a
// Unicode window, whatever the code page, as are the texts below (UTF-8 here).
HWND CreateChild(HWND parent, const char* className, const std::string& text, DWORD style,
                 const Box& box, int id, DWORD exStyle = 0);
void Place(HWND window, const Box& box);
std::string WindowText(HWND window);
// Sets a window's text, given in UTF-8.
void SetText(HWND window, const std::string& text);

// One of the system's own cursors or icons (IDC_ARROW, IDI_WARNING...),
// whose ids the headers spell for the code page's calls.
HCURSOR SystemCursor(LPCSTR id);
HICON SystemIcon(LPCSTR id);

} // namespace lyricast
