#include "ui/win32/pane/ItemDrawing.h"

#include "ui/win32/WideText.h"

namespace lyricast {

void DrawListItem(const DRAWITEMSTRUCT& item, const DrawnItem& look, const std::string& text) {
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const SIZE glyph = GlyphSize(look.glyph);
    DrawGlyph(dc, look.glyph, rect.left + look.glyphLeft,
              rect.top + (rect.bottom - rect.top - glyph.cy) / 2);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT textRect = rect;
    textRect.left += look.textLeft;
    const UINT format =
        DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | (look.textCentred ? DT_VCENTER : DT_TOP);
    const std::wstring shown = Wide(text);
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &textRect, format);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_COMBOBOXEDIT) == 0)
        DrawFocusRect(dc, &rect);
}

} // namespace lyricast
