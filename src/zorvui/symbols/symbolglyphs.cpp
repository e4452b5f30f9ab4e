#include "symbols/symbolglyphs.h"

#include "symbols/glyphcatalogue.h"
#include "symbols/glyphpen.h"

#include <QPainter>

namespace zorv {

bool SymbolGlyphs::contains(const QString &name) {
    return GlyphCatalogue::drawings().contains(name);
}

QStringList SymbolGlyphs::names() {
    QStringList names = GlyphCatalogue::drawings().keys();
    names.sort();
    return names;
}

QImage SymbolGlyphs::image(const QString &name, int pixelSize, const QColor &color) {
    const GlyphCatalogue::Table &drawings = GlyphCatalogue::drawings();
    const auto found = drawings.constFind(name);
    if (found == drawings.cend() || pixelSize < 1 || pixelSize > 1024) {
        return {};
    }
    QImage image(pixelSize, pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixelSize / 24.0, pixelSize / 24.0);
    GlyphPen pen(painter);
    (*found)(pen);
    // Tint: keep the drawn coverage, take the colour.
    painter.resetTransform();
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    return image;
}

} // namespace zorv
