#include "restingplace.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zorv {

namespace {

// As many drags as a batch plans from one reading.
constexpr int kPlanLimit = 40;

// The width the item takes on the bar with the spacing right of it: up to the next thing drawn.
double roomOf(const BarGeometry &geometry, const QRectF &frame) {
    double next = std::numeric_limits<double>::infinity();
    const auto consider = [&frame, &next](const QRectF &other) {
        if (other.width() > 0.0 && other.left() >= frame.right()) {
            next = std::min(next, other.left());
        }
    };
    for (const ItemFrame &entry : geometry.frames) {
        consider(entry.frame);
    }
    consider(geometry.hiddenSep);
    if (geometry.alwaysSep) {
        consider(*geometry.alwaysSep);
    }
    consider(geometry.iconFrame);
    return std::isfinite(next) ? next - frame.left() : frame.width();
}

} // namespace

std::optional<QRectF> RestingPlace::of(const MenuBarItemID &id, BarGeometry geometry,
                                       const SectionLayout &layout,
                                       const QSet<MenuBarItemID> &stubbornOrder,
                                       DragPlanner::AttemptsLedger attempts) {
    if (!geometry.frameOf(id)) {
        return std::nullopt;
    }
    // How far the drags of other items across it move it, beyond what the reflow says.
    double shift = 0.0;
    for (int planned = 0; planned < kPlanLimit; ++planned) {
        const std::optional<DragPlan> plan =
            DragPlanner::planNextDrag(geometry, layout, stubbornOrder, attempts);
        if (!plan) {
            break;
        }
        BarGeometry next = DragPlanner::predictedReflow(geometry, *plan, layout);
        const double at = geometry.frameOf(id)->center().x();
        if (plan->track == id) {
            // Dropped where the bar stands by then.
            shift = 0.0;
        } else if (plan->track && next.frameOf(id)->center().x() == at) {
            const QRectF *from = geometry.frameOf(*plan->track);
            const QRectF *to = next.frameOf(*plan->track);
            if (from && to && from->width() > 0.0) {
                const double room = roomOf(geometry, *from);
                if (from->center().x() > at && to->center().x() < at) {
                    shift += room;
                } else if (from->center().x() < at && to->center().x() > at) {
                    shift -= room;
                }
            }
        }
        geometry = std::move(next);
    }
    return geometry.frameOf(id)->translated(shift, 0.0);
}

} // namespace zorv
