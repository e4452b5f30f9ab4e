#pragma once

#include "axtypes.h"
#include "displayid.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QString>

#include <optional>

namespace zorv {

// What a status item draws when it has neither image nor title: a simple shape in a colour, so
// that pictures of different items differ.
struct ItemGlyph {
    enum class Shape { None, Circle, Square, Triangle, Diamond, Bars };

    Shape shape = Shape::None;
    QColor color = QColor(30, 30, 30);

    friend bool operator==(const ItemGlyph &, const ItemGlyph &) = default;
};

// One status item of some application.
struct ItemRecord {
    // Also the number of the item's window.
    quint64 id = 0;
    qint32 ownerProcessId = 0;
    QString autosaveName;
    // As set: points (capped at the maximum), or the square or variable length.
    double length = 0.0;
    // Its width on each screen, from when it appeared there (see RestingWidths).
    QHash<DisplayId, double> restingWidths;
    QString title;
    QImage image;
    // Shown when the pointer rests on the item; empty for none.
    QString toolTip;
    bool buttonHidden = false;
    ItemGlyph glyph;
    // The system's own fixed items (Control Center, the clock): rightmost, never moved.
    bool immovable = false;
    // Accessibility attributes answered instead of the defaults; a name mapped to nullopt
    // answers "no value".
    QHash<QString, std::optional<AXAttributeValue>> attributeOverrides;
    // Laid out by a pass: until then its window does not exist.
    bool seated = false;
};

} // namespace zorv
