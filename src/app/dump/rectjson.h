#pragma once

#include <QJsonObject>
#include <QRectF>

namespace zorv {

// A frame as the dump writes it: x, y, width and height, in the frame's own convention.
[[nodiscard]] inline QJsonObject rectJson(const QRectF &rect) {
    using namespace Qt::StringLiterals;
    return {{u"x"_s, rect.x()},
            {u"y"_s, rect.y()},
            {u"width"_s, rect.width()},
            {u"height"_s, rect.height()}};
}

} // namespace zorv
