#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

namespace zorv {

// The project's own small set of system symbols ("wifi", "battery.100", "checkmark",
// "chevron.up.chevron.down", ...), drawn with painter paths on a 24-unit grid and tinted to any
// colour. Views ask for symbols by these names; a name outside the set has no picture.
class SymbolGlyphs {
public:
    [[nodiscard]] static bool contains(const QString &name);
    [[nodiscard]] static QStringList names();

    // The symbol filling a square of `pixelSize` pixels in `color`; a null image for a name
    // outside the set or a size outside 1 to 1024.
    [[nodiscard]] static QImage image(const QString &name, int pixelSize, const QColor &color);
};

} // namespace zorv
