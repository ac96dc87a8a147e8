#include "window/PaneGlyphs.h"

namespace lyricast {

GlyphName GlyphOfVolume(VolumeKind kind) {
    switch (kind) {
    case VolumeKind::Removable:
        return GlyphName::Floppy;
    case VolumeKind::Remote:
        return GlyphName::Network;
    case VolumeKind::CdRom:
        return GlyphName::CdRom;
    case VolumeKind::RamDisk:
        return GlyphName::Ram;
    case VolumeKind::Fixed:
        break;
    }
    return GlyphName::Hard;
}

GlyphName GlyphOfLadderItem(LadderKind kind) {
    switch (kind) {
    case LadderKind::Current:
        return GlyphName::CurrentFolder;
    case LadderKind::Closed:
        return GlyphName::ClosedFolder;
    case LadderKind::Open:
        break;
    }
    return GlyphName::OpenFolder;
}

} // namespace lyricast
