#pragma once

#include "capture/displayscene.h"

#include <QPainter>

namespace zorv {

// Paints a status item's content into its rectangle: its image, else its title, else its glyph
// shape; an item with none of them (a separator) paints nothing.
class GlyphPainter {
public:
    static void paint(QPainter &painter, const SceneItem &item);
};

} // namespace zorv
