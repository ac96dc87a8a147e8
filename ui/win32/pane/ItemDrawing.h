#pragma once

#include "ui/win32/pane/Glyphs.h"

#include <windows.h>

#include <string>

namespace lyricast {

// One entry of an owner-drawn list or combo box: its background (the
// highlight when selected), its glyph `glyphLeft` pixels in and centred
// vertically, then its text from `textLeft`, "&" shown as itself.
struct DrawnItem {
    GlyphName glyph;
    int glyphLeft;
    int textLeft;
    bool textCentred; // vertically; at the item's top otherwise
};

void DrawListItem(const DRAWITEMSTRUCT& item, const DrawnItem& look, const std::string& text);

} // namespace lyricast
