#pragma once

#include "section.h"

#include <QList>
#include <QRectF>

#include <optional>

namespace zorv {

// Where the two separators belong on a bar the engine comes back to: between the lanes the
// wanted layout asks for. What the system remembers for a separator need not say so: a position
// remembered while the hidden separator was lengthened to hide its section counts that length,
// and brings the always-hidden separator back far out at the left end.
//
// The separators go to the places that leave the fewest items the layout places out of their
// lanes; one whose place is already among those stays. Of such places the nearest win, and of
// equally near ones the one that takes the fewest items the layout does not place across the
// hidden separator, so that an unplaced item keeps its side. The icon keeps its place among the
// items unless that lies left of where a separator goes: a separator grown to hide its lane would
// push it off screen, so it goes to the right end instead, where it belongs. Positions come out as
// preferred positions for the three items created again: distances in points from the right end
// of the movable status items, measured as the bar would stand with both separators collapsed.
struct SeparatorPlacement {
    // One thing on the bar as it stands now, separators possibly lengthened.
    struct Entry {
        enum class Kind { item, fixed, icon, hiddenSeparator, alwaysHiddenSeparator };

        Kind kind = Kind::item;
        QRectF frame;
        // The lane the layout wants an item in; none for an item it does not place.
        std::optional<Section> wanted;
    };

    // Where the icon goes: it keeps its place unless that lies left of a separator's, or it goes
    // to the right end whatever its place (it stands out of sight).
    enum class Icon { keepsItsPlace, toRightEnd };

    double icon = 0.0;
    double hiddenSeparator = 0.0;
    double alwaysHiddenSeparator = 0.0;
    // Items out of their lanes with the separators where they stand, and where they go.
    int misplacedBefore = 0;
    int misplacedAfter = 0;
    // The icon goes to the right end: it stood left of a separator's place, or was sent there.
    bool iconToRightEnd = false;

    // Absent when the separators already stand where they belong with the icon right of both (at
    // the right end, for `Icon::toRightEnd`), or when the bar does not hold each of the engine's
    // three items exactly once.
    [[nodiscard]] static std::optional<SeparatorPlacement>
    compute(QList<Entry> bar, double collapsedLength, Icon icon = Icon::keepsItsPlace);

    friend bool operator==(const SeparatorPlacement &, const SeparatorPlacement &) = default;
};

} // namespace zorv
