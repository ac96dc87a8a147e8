#pragma once

#include "platform/Volumes.h"
#include "window/FolderLadder.h"

#include <QImage>
#include <QString>

namespace lyricast {

// The eight glyphs of the folder pane, kept as resources under their names.
enum class GlyphName { Floppy, Hard, Network, CdRom, Ram, OpenFolder, CurrentFolder, ClosedFolder };

// ":/FLOPPY", ":/HARD", ... ":/CLOSEDFOLDER".
QString GlyphResource(GlyphName name);

// The glyph as the widgets draw it: the resource's image with every pixel of
// the colour of its bottom-left pixel made transparent.
const QImage& Glyph(GlyphName name);

GlyphName GlyphOfVolume(VolumeKind kind);
GlyphName GlyphOfLadderItem(LadderKind kind);

} // namespace lyricast
