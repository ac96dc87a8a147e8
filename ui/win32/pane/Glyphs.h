#pragma once

#include "platform/Volumes.h"
#include "window/FolderLadder.h"

#include <windows.h>

namespace lyricast {

// The folder pane's glyphs, in the order of their resource ids.
enum class GlyphName { Floppy, Hard, Network, CdRom, Ram, OpenFolder, CurrentFolder, ClosedFolder };

GlyphName GlyphOfVolume(VolumeKind kind);
GlyphName GlyphOfLadderItem(LadderKind kind);

SIZE GlyphSize(GlyphName name);
// Draws a glyph with its top left at x, y; the colour of its bottom-left
// pixel is left out, so the background shows through.
void DrawGlyph(HDC dc, GlyphName name, int x, int y);

} // namespace lyricast
