#pragma once

#include "platform/Volumes.h"
#include "window/FolderLadder.h"

namespace lyricast {

// The folder pane's eight glyphs, in the order both views keep them.
enum class GlyphName { Floppy, Hard, Network, CdRom, Ram, OpenFolder, CurrentFolder, ClosedFolder };

// Which glyph a drive entry and a folder item are drawn with.
GlyphName GlyphOfVolume(VolumeKind kind);
GlyphName GlyphOfLadderItem(LadderKind kind);

} // namespace lyricast
