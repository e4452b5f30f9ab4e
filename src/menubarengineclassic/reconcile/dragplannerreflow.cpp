// DragPlanner's reflow prediction: where everything stands once a planned drag has been carried
// out, so a batch of drags can be planned from one scan.

#include "dragplanner.h"

#include "barlanes.h"

#include <algorithm>

namespace zorv {

namespace {

void recentre(QRectF &frame, double x) {
    frame.moveLeft(x - frame.width() * 0.5);
}

} // namespace

BarGeometry DragPlanner::predictedReflow(const BarGeometry &geometry, const DragPlan &plan,
                                         const SectionLayout &layout) {
    BarGeometry result = geometry;
    const double x = plan.to.x();
    if (!plan.track) {
        if (plan.label == DragPlan::iconLabel) {
            recentre(result.iconFrame, x);
            result.iconSafelyRightmost = true;
        } else if (plan.label == DragPlan::separatorLabel && result.alwaysSep) {
            recentre(*result.alwaysSep, x);
            result.separatorsOrdered = result.alwaysSep->left() < result.hiddenSep.left();
        }
        return result;
    }
    const MenuBarItemID &track = *plan.track;
    const BarLanes lanes(geometry);
    const auto physical = [&](const ItemFrame &entry) -> std::optional<Section> {
        if (!BarGeometry::placedOnBar(&entry.frame, entry.id)) {
            return std::nullopt;
        }
        return lanes.laneAt(entry.frame.center().x());
    };
    const QRectF *trackFrame = geometry.frameOf(track);
    const auto trackLane =
        trackFrame ? physical(ItemFrame{track, *trackFrame}) : std::optional<Section>();
    if (layout.sectionOf(track) && plan.isOrderMove() && trackLane) {
        QList<ItemFrame> members;
        for (const ItemFrame &entry : geometry.framesByMidX()) {
            if (physical(entry) == trackLane) {
                members.append(entry);
            }
        }
        QList<double> slots;
        for (const ItemFrame &member : members) {
            slots.append(member.frame.center().x());
        }
        members.removeIf([&](const ItemFrame &member) { return member.id == track; });
        const auto before =
            std::count_if(members.cbegin(), members.cend(),
                          [x](const ItemFrame &m) { return m.frame.center().x() < x; });
        members.insert(before, ItemFrame{track, *trackFrame});
        for (qsizetype k = 0; k < members.size(); ++k) {
            recentre(*result.frameOf(members.at(k).id), slots.at(k));
        }
        return result;
    }
    if (QRectF *frame = result.frameOf(track)) {
        recentre(*frame, x);
    } else {
        result.frames.append(ItemFrame{track, QRectF(x, 0.0, 0.0, 0.0)});
    }
    return result;
}

} // namespace zorv
