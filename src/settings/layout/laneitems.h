#pragma once

#include "menubaritem.h"

#include <QList>
#include <QString>
#include <QVariantList>

#include <optional>

namespace zorv {

// The rules the layout lanes share: a chip's help text, the lanes' titles and context menu, and
// where a drop lands among the chips.
class LaneItems {
public:
    // The name, and why the item is dimmed, badged, waiting for its lane or pinned (dormancy
    // first, then the notch, then a lane no drag can reach for now, then being unmovable).
    [[nodiscard]] static QString helpText(const MenuBarItem &item);
    // "Shown", "Hidden", "Always Hidden".
    [[nodiscard]] static QString title(Section section);
    // "Move to Shown", ...
    [[nodiscard]] static QString moveText(Section section);
    // A chip's context menu in a lane of `current`: {text, section, current} per section, in
    // lane order.
    [[nodiscard]] static QVariantList moveMenu(Section current);
    // The position among the chips' horizontal middles (in lane order) of the first one right of
    // `x`; their number when none is.
    [[nodiscard]] static int dropIndex(const QList<qreal> &middles, qreal x);
};

} // namespace zorv
