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

    // An item out of its wanted lane that no drag can take there for now, and what stands in
    // the way: the item's own cover, or (laneOnly) what covers every place of the lane it must go
    // into. Where the lane has no place in reach that cover is named, as nothing taking the item
    // in hand would help, unless the same obstacle covers the item.
    struct Waiting {
        MenuBarItemID id;
        // A Reachability reason.
        QString cover = {};
        bool laneOnly = false;
        // Wanted always hidden with no place in reach there, it goes no further than Hidden:
        // it stands there, or a drag can take it there.
        bool hiddenForNow = false;
        // Under the menus: with Finder's in front instead, the drag could be made.
        bool finderWouldClear = false;

        friend bool operator==(const Waiting &, const Waiting &) = default;
    };
    // Every item placed on the bar out of its wanted lane that no drag can take there for now.
    [[nodiscard]] static QList<Waiting> waiting(const BarGeometry &geometry,
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
