#pragma once

#include "bargeometry.h"
#include "dragplan.h"
#include "sectionlayout.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

namespace zorv {

// Plans, from a snapshot of the bar and the wanted layout, the single next drag that brings the
// bar closer to the layout: first this application's icon back to the right end, then the
// separators into order, then items into their lanes, then each lane into order. Pure functions;
// the only thing written is the attempts ledger.
//
// The ledger lives for one reconcile run (or one batch) and gives every attempt key at most two
// plans, so an item that does not move is not dragged forever.
class DragPlanner {
public:
    using AttemptsLedger = QHash<QString, int>;

    // An item whose order drags failed on this many runs running is left out of the order rules.
    static constexpr int stubbornRuns = 3;
    // Order and swap plans one lane gets per run.
    static constexpr int orderPlansPerLane = 3;
    // Ledger keys that remember which way an item was last dragged.
    static inline const QString directionPrefix = QStringLiteral("dir-");

    DragPlanner() = delete;

    // Items the order rules leave alone: stubborn ones and those found unmovable.
    [[nodiscard]] static QSet<MenuBarItemID>
    stubbornSet(const QHash<MenuBarItemID, int> &stubbornOrder,
                const QSet<MenuBarItemID> &unmovable);

    // The next drag, or none when nothing is left to do or every candidate's attempts are spent
    // (also when no item frame has a width).
    [[nodiscard]] static std::optional<DragPlan>
    planNextDrag(const BarGeometry &geometry, const SectionLayout &layout,
                 const QSet<MenuBarItemID> &stubbornOrder, AttemptsLedger &attempts);

    // Whether an item centred at `midX` stands far enough outside its wanted lane to be dragged.
    [[nodiscard]] static bool outOfLane(const BarGeometry &geometry, Section wanted, double midX);

    // An item a drag can reach, out of its wanted lane with no part of that lane in reach.
    struct LaneBlocked {
        MenuBarItemID id;
        // What covers the lane's end nearest the shown items: a Reachability reason.
        QString cover;
        // Wanted always hidden, it stands in Hidden meanwhile.
        bool hiddenForNow = false;

        friend bool operator==(const LaneBlocked &, const LaneBlocked &) = default;
    };
    // Items that can be reached but stand out of their wanted lane with no part of it in reach.
    [[nodiscard]] static QList<LaneBlocked> laneOutOfReach(const BarGeometry &geometry,
                                                           const SectionLayout &layout);

    // Items that can be reached and have a place in their wanted lane, but which the ledger keeps
    // from being dragged there because a drag took them the other way.
    [[nodiscard]] static QList<MenuBarItemID> laneTurnedBack(const BarGeometry &geometry,
                                                             const SectionLayout &layout,
                                                             AttemptsLedger attempts);

    // Spends every lane move of these items in the ledger, so no plan drags them into a lane.
    static void spendLaneMoves(AttemptsLedger &attempts, const QList<MenuBarItemID> &ids);

    // The ledger's record of which way each item was dragged, for the next run on the same
    // difference: an item is never dragged back the way it came.
    [[nodiscard]] static AttemptsLedger directionsOf(const AttemptsLedger &attempts);
    // The same, less the items a drag took out of their lane the other way (laneTurnedBack): the
    // next run may drag those back into their lane.
    [[nodiscard]] static AttemptsLedger directionsHandedOn(const BarGeometry &geometry,
                                                           const SectionLayout &layout,
                                                           const AttemptsLedger &attempts);

    // The fewest drags that can bring the bar to the layout: one per item out of its wanted lane,
    // and per lane one per item in it outside the longest run already in wanted order. Items out
    // of reach count as well, so a drag that pushes an item behind the camera housing or under
    // the menus never reads as coming closer. A run that lowers it has brought the bar closer.
    [[nodiscard]] static qsizetype dragsStillNeeded(const BarGeometry &geometry,
                                                    const SectionLayout &layout);

    // The snapshot as it will read once `plan` has been carried out, so a batch of drags can be
    // planned from one scan. The hidden separator never moves; an order move re-packs its lane
    // into the same centres, anything else lands where it was dropped.
    [[nodiscard]] static BarGeometry
    predictedReflow(const BarGeometry &geometry, const DragPlan &plan, const SectionLayout &layout);
};

} // namespace zorv
