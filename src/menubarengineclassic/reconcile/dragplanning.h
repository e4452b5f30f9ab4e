#pragma once

#include "bargeometry.h"
#include "barlanes.h"
#include "dragplan.h"
#include "dragplanner.h"
#include "sectionlayout.h"

#include <QList>
#include <QSet>

#include <optional>

namespace zorv {

// One pass of DragPlanner over a snapshot, the wanted layout and the attempts ledger it spends:
// the planner's working part, used by DragPlanner alone.
class DragPlanning {
public:
    DragPlanning(const BarGeometry &geometry, const SectionLayout &layout,
                 const QSet<MenuBarItemID> &stubborn, DragPlanner::AttemptsLedger &attempts);

    // Plans per attempt key in one ledger.
    static constexpr int plansPerKey = 2;
    // The ledger key that holds which way the item was last dragged: 1 to the right, -1 to the
    // left.
    [[nodiscard]] static QString directionKey(const MenuBarItemID &id);
    // The ledger key that counts the item's lane moves.
    [[nodiscard]] static QString laneMoveKey(const MenuBarItemID &id);

    // The next drag; see DragPlanner::planNextDrag.
    [[nodiscard]] std::optional<DragPlan> plan();
    // See DragPlanner::dragsStillNeeded.
    [[nodiscard]] qsizetype dragsStillNeeded() const;
    // See DragPlanner::waiting.
    [[nodiscard]] QList<DragPlanner::Waiting> waiting() const;
    // See DragPlanner::laneTurnedBack.
    [[nodiscard]] QList<MenuBarItemID> laneTurnedBack() const;

private:
    // Whether dragging the item from `fromX` to `toX` would take it back the way an earlier drag
    // took it, in this run or in the runs before it on the same difference: items that cannot
    // both be satisfied would otherwise trade places for ever.
    [[nodiscard]] bool turnsBack(const MenuBarItemID &id, double fromX, double toX) const;
    DragPlan tracked(QString label, const ItemFrame &entry, double toX, int attempt);
    // The key's next attempt number, or none when its attempts are spent.
    std::optional<int> budget(const QString &key);
    [[nodiscard]] bool canMove(const MenuBarItemID &id) const;

    // Why the item standing in `entry`, which must move into `zone`, waits; none when a drag can
    // take it there, or into Hidden for now.
    [[nodiscard]] std::optional<DragPlanner::Waiting> waitingFor(const ItemFrame &entry,
                                                                 Section zone) const;

    std::optional<DragPlan> iconRepair();
    std::optional<DragPlan> separatorOrder();
    std::optional<DragPlan> laneMove();
    // Where a lane move drops the item standing outside its wanted lane in `entry`, and into which
    // lane: the one it must move into (`zone`), or Hidden for an item wanted always hidden that
    // stands in Shown while no drag reaches Always Hidden, so that it is out of sight when the bar
    // is tucked. None when no drag takes it nearer its lane.
    struct LaneDrop {
        Section zone;
        double x;
    };
    [[nodiscard]] std::optional<LaneDrop> laneDrop(const ItemFrame &entry, Section zone) const;
    // The frame of a neighbour in the layout's list that already sits in the lane within reach,
    // else null: what cannot be reached stays where it is, so nothing is placed beside it.
    [[nodiscard]] const QRectF *placedNeighbour(const MenuBarItemID &candidate,
                                                const MenuBarItemID &moved, Section zone) const;
    // Aims between the nearest placed neighbours before and after the item in the layout's list.
    // While the lane is still out of order, only neighbours in its longest ordered run count (the
    // run the order moves keep), so the item lands in its wanted slot and needs no order move.
    // When that slot cannot be reached (a separator beside the camera housing), the drop goes to
    // the reachable x nearest it where it still lands between those neighbours, else anywhere in
    // the lane, even onto the separator's own reachable half; none when no part of the lane can
    // be reached.
    [[nodiscard]] std::optional<double> laneTarget(const MenuBarItemID &id, Section zone) const;
    // Where an item goes into a lane without placed neighbours.
    [[nodiscard]] double fallbackTarget(Section zone) const;
    // Orders the reachable items standing in the lane among themselves: an item out of reach
    // stays where it is and nothing is moved to make room for it, and an item the lane moves could
    // not bring in is neither dragged across a separator by an order move nor ordered around.
    std::optional<DragPlan> orderMove(Section section);
    std::optional<DragPlan> pairSwap(Section section, const QList<ItemFrame> &present,
                                     std::pair<double, double> range);

    const BarGeometry &m_geometry;
    const SectionLayout &m_layout;
    const QSet<MenuBarItemID> &m_stubborn;
    DragPlanner::AttemptsLedger &m_attempts;
    BarLanes m_lanes;
    double m_barY = 0.0;
};

} // namespace zorv
