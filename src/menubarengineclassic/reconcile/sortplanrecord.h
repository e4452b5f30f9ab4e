#pragma once

#include "menubaritem.h"
#include "sectionlayout.h"

#include <QJsonObject>
#include <QList>

namespace zorv {

// The "sort-plan" record a reconcile run logs before it drags: for every lane whose items stand
// on the bar in another order than the wanted layout asks, the cheapest way to reorder it and
// what the other strategies would cost, with the modelled time of the whole.
struct SortPlanRecord {
    // {"kind": "sort-plan", "lanes": [{"lane", "winner", "ms", "moves", "candidates":
    // [{"strategy", "ms", "moves"}]}], "modeledMs"}; "lanes" is empty when no lane needs sorting.
    QJsonObject line;
    qint64 modeledMicros = 0;

    // From the last scan's items and the wanted layout, with the standard drag gesture. Lanes
    // with fewer than two items on the bar, with other members on the bar than in the layout, or
    // already in order are left out.
    [[nodiscard]] static SortPlanRecord build(const QList<MenuBarItem> &items,
                                              const SectionLayout &layout);

    // The optimiser's name for an item: "<bundle id>#<ordinal>#<accessibility identifier>".
    [[nodiscard]] static QString keyOf(const MenuBarItemID &id);
};

} // namespace zorv
