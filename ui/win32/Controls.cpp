#include "ui/win32/Controls.h"

#include "ui/win32/CodePageText.h"

#include <vector>

namespace lyricast {

HFONT UiFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int UiTextHeight() {
    HDC dc = GetDC(nullptr);
    const HGDIOBJ before = SelectObject(dc, UiFont());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

HWND CreateChild(HWND parent, const char* className, const std::string& text, DWORD style,
                 const Box& box, int id, DWORD exStyle) {
    HWND child = CreateWindowExA(exStyle, className, ShownText(text).c_str(), WS_CHILD | style,
                                 box.x, box.y, box.width, box.height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    return child;
}

void Place(HWND window, const Box& box) {
    SetWindowPos(window, nullptr, box.x, box.y, box.width, box.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string WindowText(HWND window) {
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1);
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return TakenText(text.data());
}

void SetText(HWND window, const std::string& text) {
    SetWindowTextA(window, ShownText(text).c_str());
}

} // namespace lyricast
