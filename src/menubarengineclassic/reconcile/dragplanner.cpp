#include "dragplanner.h"

#include "barlanes.h"
#include "dragplanning.h"

namespace zorv {

QSet<MenuBarItemID> DragPlanner::stubbornSet(const QHash<MenuBarItemID, int> &stubbornOrder,
                                             const QSet<MenuBarItemID> &unmovable) {
    QSet<MenuBarItemID> result = unmovable;
    for (auto it = stubbornOrder.cbegin(); it != stubbornOrder.cend(); ++it) {
        if (it.value() >= stubbornRuns) {
            result.insert(it.key());
        }
    }
    return result;
}

std::optional<DragPlan> DragPlanner::planNextDrag(const BarGeometry &geometry,
                                                  const SectionLayout &layout,
                                                  const QSet<MenuBarItemID> &stubbornOrder,
                                                  AttemptsLedger &attempts) {
    return DragPlanning(geometry, layout, stubbornOrder, attempts).plan();
}

bool DragPlanner::outOfLane(const BarGeometry &geometry, Section wanted, double midX) {
    return BarLanes(geometry).laneToMoveInto(wanted, midX).has_value();
}

QList<DragPlanner::Waiting> DragPlanner::waiting(const BarGeometry &geometry,
                                                 const SectionLayout &layout) {
    const QSet<MenuBarItemID> noneStubborn;
    AttemptsLedger unspent;
    return DragPlanning(geometry, layout, noneStubborn, unspent).waiting();
}

QList<MenuBarItemID> DragPlanner::laneTurnedBack(const BarGeometry &geometry,
                                                 const SectionLayout &layout,
                                                 AttemptsLedger attempts) {
    const QSet<MenuBarItemID> noneStubborn;
    return DragPlanning(geometry, layout, noneStubborn, attempts).laneTurnedBack();
}

void DragPlanner::spendLaneMoves(AttemptsLedger &attempts, const QList<MenuBarItemID> &ids) {
    for (const MenuBarItemID &id : ids) {
        attempts.insert(DragPlanning::laneMoveKey(id), DragPlanning::plansPerKey);
    }
}

DragPlanner::AttemptsLedger DragPlanner::directionsOf(const AttemptsLedger &attempts) {
    AttemptsLedger directions;
    for (auto it = attempts.cbegin(); it != attempts.cend(); ++it) {
        if (it.key().startsWith(directionPrefix)) {
            directions.insert(it.key(), it.value());
        }
    }
    return directions;
}

DragPlanner::AttemptsLedger DragPlanner::directionsHandedOn(const BarGeometry &geometry,
                                                            const SectionLayout &layout,
                                                            const AttemptsLedger &attempts) {
    AttemptsLedger directions = directionsOf(attempts);
    for (const MenuBarItemID &id : laneTurnedBack(geometry, layout, attempts)) {
        directions.remove(DragPlanning::directionKey(id));
    }
    return directions;
}

qsizetype DragPlanner::dragsStillNeeded(const BarGeometry &geometry, const SectionLayout &layout) {
    const QSet<MenuBarItemID> noneStubborn;
    AttemptsLedger unspent;
    return DragPlanning(geometry, layout, noneStubborn, unspent).dragsStillNeeded();
}

} // namespace zorv
