#pragma once

#include "capture/displayscene.h"

#include <QImage>
#include <QSize>

namespace zorv {

// Paints captures: a whole display from its scene, or one status item's window alone, on the
// bar's background colour, at any pixel size. Images are 32 bits per pixel.
class BarRenderer {
public:
    [[nodiscard]] static QImage renderDisplay(const DisplayScene &scene, QSize pixels);
    [[nodiscard]] static QImage renderItem(const SceneItem &item, const QColor &background,
                                           QSize pixels);
};

} // namespace zorv
