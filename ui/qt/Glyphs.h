#pragma once

#include "window/PaneGlyphs.h"

#include <QImage>
#include <QString>

namespace lyricast {

// The eight glyphs of the folder pane are kept as resources under their names.
// ":/FLOPPY", ":/HARD", ... ":/CLOSEDFOLDER".
QString GlyphResource(GlyphName name);

// The glyph as the widgets draw it: the resource's image with every pixel of
// the colour of its bottom-left pixel made transparent.
const QImage& Glyph(GlyphName name);

} // namespace lyricast
