#pragma once

#include "model/desktopstate.h"

#include <QList>

namespace zorv {

// The menu bar's layout pass: every screen's bar lays the status items out from its right end,
// right to left in bar order. The rightmost item ends `rightInset` points from the screen's right
// edge; each further item ends its owner's spacing left of its right neighbour's left edge. An
// item keeps its width even when that pushes it and everything left of it past the screen's left
// edge; an item of width 0 takes no room and adds no gap. Screens that do not follow length
// changes lay items out with their resting widths (see RestingWidths).
class BarLayout {
public:
    static constexpr double rightInset = 10.0;
    // Variable-length items: an estimate of the title's width per character, plus padding.
    static constexpr double titleCharacterWidth = 7.0;
    static constexpr double titlePadding = 10.0;

    // The item's width from its length: the bar thickness for the square length, the content's
    // width for the variable length, 0 for a negative or non-finite one.
    [[nodiscard]] static double width(const DesktopState &state, const ItemRecord &item);
    // The gap left of the item: the spacing its owner read at launch.
    [[nodiscard]] static double gap(const DesktopState &state, const ItemRecord &item);

    [[nodiscard]] static QList<ScreenBar> compute(const DesktopState &state);
};

} // namespace zorv
