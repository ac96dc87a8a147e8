#include "ui/win32/pane/Glyphs.h"

#include "ui/win32/resources/ResourceIds.h"

#include <array>

namespace lyricast {
namespace {

constexpr std::size_t kGlyphCount = 8;

HBITMAP Bitmap(GlyphName name) {
    static const std::array<HBITMAP, kGlyphCount> bitmaps = [] {
        std::array<HBITMAP, kGlyphCount> loaded{};
        for (std::size_t i = 0; i < loaded.size(); ++i)
            loaded[i] = LoadBitmapW(GetModuleHandleW(nullptr),
                                    MAKEINTRESOURCEW(IDB_FLOPPY + static_cast<int>(i)));
        return loaded;
    }();
    return bitmaps[static_cast<std::size_t>(name)];
}

} // namespace

SIZE GlyphSize(GlyphName name) {
    BITMAP info{};
    GetObjectW(Bitmap(name), sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

void DrawGlyph(HDC dc, GlyphName name, int x, int y) {
    const SIZE size = GlyphSize(name);
    HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ before = SelectObject(source, Bitmap(name));
    const COLORREF transparent = GetPixel(source, 0, size.cy - 1);
    TransparentBlt(dc, x, y, size.cx, size.cy, source, 0, 0, size.cx, size.cy, transparent);
    SelectObject(source, before);
    DeleteDC(source);
}

} // namespace lyricast
