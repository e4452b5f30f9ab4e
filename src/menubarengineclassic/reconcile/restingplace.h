#pragma once

#include "dragplanner.h"

#include <QRectF>

#include <optional>

namespace zorv {

// Where an item will stand once a run has made the drags left to it, foreseen from one reading of
// the bar: the planner's drags played out one after the other, each where the last leaves the
// bar. Items lie packed from the bar's right end, so one dragged across the item moves it by the
// room the dragged one takes. Pure.
class RestingPlace {
public:
    RestingPlace() = delete;

    // The item's frame then; none when the reading does not hold it.
    [[nodiscard]] static std::optional<QRectF>
    of(const MenuBarItemID &id, BarGeometry geometry, const SectionLayout &layout,
       const QSet<MenuBarItemID> &stubbornOrder, DragPlanner::AttemptsLedger attempts);
};

} // namespace zorv
