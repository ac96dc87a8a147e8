#pragma once

#include "window/PaneGlyphs.h"

#include <windows.h>

namespace lyricast {

// The folder pane's glyphs are resources whose ids follow GlyphName's order.
SIZE GlyphSize(GlyphName name);
// Draws a glyph with its top left at x, y; the colour of its bottom-left
// pixel is left out, so the background shows through.
void DrawGlyph(HDC dc, GlyphName name, int x, int y);

} // namespace lyricast
