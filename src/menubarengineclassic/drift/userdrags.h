#pragma once

#include "menubaritem.h"
#include "sectionlayout.h"

#include <QList>
#include <QMap>
#include <QSet>

#include <optional>

namespace zorv {

// Tells, from two readings of the bar with the user's own drag between them, which item the user
// moved and where the wanted layout takes it: the user's drags are the only change of the bar
// the layout follows, so a bar that merely looks different (an application quit, an item put
// back at the left end, a drag that was refused) never rewrites it. Pure functions.
class UserDrags {
public:
    // Per lane, the items on the bar, left to right.
    using Lanes = QMap<Section, QList<MenuBarItemID>>;

    UserDrags() = delete;

    // The lanes of the counted items by where they sit against the separators (DriftRules
    // ::laneOf), leaving out the items of `skipped` processes (whose frames are old).
    [[nodiscard]] static Lanes read(const QList<MenuBarItem> &items,
                                    std::optional<double> hiddenSepX,
                                    std::optional<double> alwaysSepX, bool separatorsOrdered,
                                    const QSet<qint32> &skipped);

    // The one item a drag moved between the readings: the only item on the bar in both that
    // changed lane, or, when none did, the first item whose leaving makes the one reordered lane
    // read alike in both. None when nothing moved or more than one drag would be needed.
    [[nodiscard]] static std::optional<MenuBarItemID> moved(const Lanes &before,
                                                            const Lanes &after);

    // `layout` with `id` taken into the lane `after` shows it in, at its place there (placedIn).
    // Unchanged when `after` does not show the id.
    [[nodiscard]] static SectionLayout placed(const SectionLayout &layout, const MenuBarItemID &id,
                                              const Lanes &after);
    // `layout` with `id` taken into `lane`: right after its nearest left neighbour in `barLane`
    // (the lane's items on the bar, left to right) that the layout holds in that lane, else right
    // before the nearest right one, else at the lane's end.
    [[nodiscard]] static SectionLayout placedIn(const SectionLayout &layout,
                                                const MenuBarItemID &id, Section lane,
                                                const QList<MenuBarItemID> &barLane);
};

} // namespace zorv
