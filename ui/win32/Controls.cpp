#include "ui/win32/Controls.h"

#include "ui/win32/WideText.h"

#include <vector>

namespace lyricast {

HFONT UiFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int UiTextHeight() {
    HDC dc = GetDC(nullptr);
    const HGDIOBJ before = SelectObject(dc, UiFont());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

HWND CreateChild(HWND parent, const char* className, const std::string& text, DWORD style,
                 const Box& box, int id, DWORD exStyle) {
    HWND child = CreateWindowExW(exStyle, Wide(className).c_str(), Wide(text).c_str(),
                                 WS_CHILD | style, box.x, box.y, box.width, box.height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    return child;
}

void Place(HWND window, const Box& box) {
    SetWindowPos(window, nullptr, box.x, box.y, box.width, box.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string WindowText(HWND window) {
    std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1);
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return Utf8(std::wstring_view(text.data(), static_cast<std::size_t>(length)));
}

void SetText(HWND window, const std::string& text) {
    SetWindowTextW(window, Wide(text).c_str());
}

HCURSOR SystemCursor(LPCSTR id) {
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(reinterpret_cast<ULONG_PTR>(id)));
}

HICON SystemIcon(LPCSTR id) {
    return LoadIconW(nullptr, MAKEINTRESOURCEW(reinterpret_cast<ULONG_PTR>(id)));
}

} // namespace lyricast
