#include "ui/qt/Glyphs.h"

#include <array>

// Resources of a static library are registered by hand, outside any namespace.
static void RegisterGlyphResources() {
    Q_INIT_RESOURCE(glyphs);
}

namespace lyricast {
namespace {

constexpr std::array kResourceNames = {"FLOPPY", "HARD",       "NETWORK",       "CDROM",
                                       "RAM",    "OPENFOLDER", "CURRENTFOLDER", "CLOSEDFOLDER"};

QImage LoadGlyph(GlyphName name) {
    QImage image(GlyphResource(name), "XPM");
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == transparent)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
    return image;
}

} // namespace

QString GlyphResource(GlyphName name) {
    return QStringLiteral(":/") +
           QString::fromLatin1(kResourceNames[static_cast<std::size_t>(name)]);
}

const QImage& Glyph(GlyphName name) {
    static const std::array<QImage, kResourceNames.size()> glyphs = [] {
        RegisterGlyphResources();
        std::array<QImage, kResourceNames.size()> images;
        for (std::size_t i = 0; i < images.size(); ++i)
            images[i] = LoadGlyph(static_cast<GlyphName>(i));
        return images;
    }();
    return glyphs[static_cast<std::size_t>(name)];
}

} // namespace lyricast
