#pragma once

#include "driftverdict.h"
#include "menubaritem.h"
#include "sectionlayout.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>

namespace zorv {

// The rules a scan applies to the bar it has just read: which items sit on the wrong side of the
// hidden separator, whether what should be hidden is out of sight, which lane an item
// physically sits in, and which unplaced items the layout takes over. Pure functions of their
// arguments (adoptions() also updates the sightings it is handed).
//
// Only counted items take part: not dormant, wider than 0, and not one of the system's own.
class DriftRules {
public:
    DriftRules() = delete;

    // An item more than this far on the wrong side of a separator is out of its lane; nearer, it
    // is where its section asks (drift detection and the drag planner both go by it).
    static constexpr double laneTolerance = 14.0;

    [[nodiscard]] static bool isCounted(const MenuBarItem &item);

    // Positions of one longest strictly increasing run of the values, the earliest on ties.
    [[nodiscard]] static QSet<int> longestIncreasingRun(const QList<double> &values);

    // Items the layout places that sit more than laneTolerance on the other side of the hidden
    // separator (of x = 0 when it is unknown) than their section asks: shown ones left of it,
    // hidden ones right of it. With the separators in order and `alwaysSepX` known, the same
    // against the always-hidden separator: always-hidden ones right of it, hidden ones left of
    // it.
    [[nodiscard]] static QSet<MenuBarItemID>
    driftedItems(const QList<MenuBarItem> &items, const SectionLayout &layout,
                 std::optional<double> hiddenSepX, std::optional<double> alwaysSepX = std::nullopt,
                 bool separatorsOrdered = false);
    // Of the counted items the layout places, those out of their lane's order: per lane, the ones
    // outside the longest run of its items already in the layout's order left to right, earliest
    // on ties (the run the drag planner's order moves keep). Those in `leftOut` (the ones the
    // order moves leave alone) count for the run but are never named. Read by lane of the
    // layout, not by side: meant for a bar whose items all stand on their side.
    [[nodiscard]] static QSet<MenuBarItemID> outOfOrder(const QList<MenuBarItem> &items,
                                                        const SectionLayout &layout,
                                                        const QSet<MenuBarItemID> &leftOut);
    // `barMinX`: the left edge of the bar's screen; an item centred right of it is in view. With
    // every item on its side and nothing wanted hidden in view, the items out of their lane's
    // order (but those in `leftOut`) are drift too.
    [[nodiscard]] static DriftVerdict driftVerdict(const QList<MenuBarItem> &items,
                                                   const SectionLayout &layout,
                                                   std::optional<double> hiddenSepX, double barMinX,
                                                   std::optional<double> alwaysSepX = std::nullopt,
                                                   bool separatorsOrdered = false,
                                                   const QSet<MenuBarItemID> &leftOut = {});

    // The lane the item sits in by the separators' left edges.
    [[nodiscard]] static Section laneOf(const MenuBarItem &item, std::optional<double> hiddenSepX,
                                        std::optional<double> alwaysHiddenSepX,
                                        bool separatorsOrdered);
    // The same for an item centred at `midX`.
    [[nodiscard]] static Section laneAt(double midX, std::optional<double> hiddenSepX,
                                        std::optional<double> alwaysHiddenSepX,
                                        bool separatorsOrdered);

    // The unplaced items seen in the same lane (their `section`) on `stableScans` scans running,
    // in item order; items of churning applications keep counting but are not adopted, and
    // ephemeral ones (which no layout holds) are never counted. Drops
    // from `seen` every item not in this scan.
    [[nodiscard]] static QList<Adoption> adoptions(const QList<MenuBarItem> &items,
                                                   const SectionLayout &layout,
                                                   const QSet<QString> &churning,
                                                   QHash<MenuBarItemID, LaneSighting> &seen,
                                                   int stableScans);

    // Where the icon's centre belongs: 16 points left of the first system item beyond this
    // application's items (24 right of the rightmost of them without one); absent when the
    // icon's centre already lies within 8 points of that place or beyond it.
    [[nodiscard]] static std::optional<double>
    iconRepairTarget(double iconMidX, const QList<QRectF> &ours, const QList<QRectF> &system);

    // The drifted items' bundle identifiers, sorted, one per item, joined with ",".
    [[nodiscard]] static QString driftSignature(const QSet<MenuBarItemID> &drifted);
};

} // namespace zorv
