#pragma once

#include "bargeometry.h"
#include "section.h"

#include <optional>

namespace zorv {

// The lanes of a bar snapshot as the separators mark them: where each lane begins and ends and
// which lane an x position lies in. The always-hidden separator counts only while the
// separators are in order.
class BarLanes {
public:
    explicit BarLanes(const BarGeometry &geometry);

    // Left edge of the hidden separator.
    [[nodiscard]] double hiddenBoundary() const { return m_hidden; }
    // Left edge of the always-hidden separator when it counts, else the hidden boundary.
    [[nodiscard]] double alwaysBoundary() const;
    [[nodiscard]] const std::optional<QRectF> &trustedAlwaysSep() const { return m_always; }

    [[nodiscard]] Section laneAt(double midX) const;
    // The lane an item centred at `midX` must be dragged into when it stands far enough outside
    // its `wanted` one; none while it stands in it. An item wanted always-hidden goes into the
    // hidden lane first while the separators are out of order.
    [[nodiscard]] std::optional<Section> laneToMoveInto(Section wanted, double midX) const;
    // The span of x a drag into the lane may aim at, lower and upper bound (lower may lie above
    // upper when the lane has no room).
    [[nodiscard]] std::pair<double, double> range(Section lane) const;
    // The span of x a drop lands in the lane at: strictly between the centres of what bounds the
    // lane (the separators, the icon), as a drop lands beside the items whose centres it passed.
    [[nodiscard]] std::pair<double, double> landingSpan(Section lane) const;
    // The part of `landing` a drop lands in between the neighbours (either may be absent).
    [[nodiscard]] static std::pair<double, double>
    landingBetween(const QRectF *previous, const QRectF *next, std::pair<double, double> landing);
    // Between the neighbours' centres, or beside the one neighbour there is, within the range.
    [[nodiscard]] static double slotTarget(const QRectF *previous, const QRectF *next,
                                           std::pair<double, double> range);

private:
    const BarGeometry &m_geometry;
    double m_hidden;
    std::optional<QRectF> m_always;
};

} // namespace zorv
