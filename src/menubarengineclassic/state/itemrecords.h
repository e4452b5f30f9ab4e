#pragma once

#include "drift/driftrules.h"
#include "menubaritem.h"
#include "reconcile/reachability.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>

#include <functional>
#include <optional>

namespace zorv {

// What the engine remembers of single items between scans and runs: where items no layout
// places were seen (adoption), which lane drags keep failing and on how many runs, which items
// refuse their order (stubborn) or were given up on (unmovable, retired), which need the slow
// drag gesture, and which way runs that have not yet settled the bar dragged them. Main thread
// only.
class ItemRecords {
public:
    // How long a lane failure stands before it is judged.
    static constexpr double laneFailureSeconds = 45.0;
    // Runs whose lane drags of an item failed before it is given up on.
    static constexpr int laneFailedRunsToRetire = 2;

    [[nodiscard]] const QSet<MenuBarItemID> &unmovable() const { return m_unmovable; }
    [[nodiscard]] const QHash<MenuBarItemID, int> &stubbornOrder() const { return m_stubbornOrder; }
    [[nodiscard]] const QSet<MenuBarItemID> &needsSlowGesture() const { return m_needsSlowGesture; }
    [[nodiscard]] const QHash<MenuBarItemID, QDateTime> &laneFailed() const { return m_laneFailed; }
    [[nodiscard]] int laneFailedRuns(const MenuBarItemID &id) const {
        return m_laneFailedRuns.value(id);
    }
    // Items whose lane drags failed on enough runs to be given up on, the last of them while a drag
    // could get at what `reach` allows: they wait for the upkeep to take them where they stand,
    // and are not dragged meanwhile. Once a drag can get at something else, they are tried again.
    [[nodiscard]] QList<MenuBarItemID> awaitingRetirement(const Reachability &reach) const;
    // Items the planner leaves alone: unmovable ones and those stubborn on enough runs.
    [[nodiscard]] QSet<MenuBarItemID> stubbornSet() const;

    // The items of this scan that have stood unplaced on two stable scans in the same lane.
    [[nodiscard]] QList<Adoption> adoptions(const QList<MenuBarItem> &items,
                                            const SectionLayout &layout,
                                            const QSet<QString> &churning);
    // The separators moved: where unplaced items were seen no longer tells their lane.
    void forgetSightings() { m_seenUnassigned.clear(); }

    // The user placed the item themselves: every mark against it goes.
    void clearOrderMarks(const MenuBarItemID &id);
    // The item's order is asked for again (its place in the wanted layout changed).
    void retryOrder(const MenuBarItemID &id) { m_stubbornOrder.remove(id); }
    // The item was retired into the lane it stands in: unmovable from now on.
    void retired(const MenuBarItemID &id);

    // The outcome of a run's order drags of one item; true when it made headway (it took, or
    // came a strike closer to being left alone).
    bool orderOutcome(const MenuBarItemID &id, bool took);
    // The outcome of a run's lane drags of one item at `now`, what a drag could get at being
    // `reach`; true when they took.
    bool laneOutcome(const MenuBarItemID &id, bool took, const QDateTime &now,
                     const Reachability &reach = {});
    // The outcome of a standard-gesture drag: one that did not take needs the slow gesture.
    void gestureOutcome(const MenuBarItemID &id, bool took);

    // Which way the runs since the bar last settled dragged items (planner ledger entries), as
    // long as they worked towards `layout`; empty for another layout.
    [[nodiscard]] QHash<QString, int> dragDirections(const SectionLayout &layout) const {
        return layout == m_directionsLayout ? m_dragDirections : QHash<QString, int>();
    }
    // What a run that left the bar unsettled under `layout` dragged which way; empty once settled.
    void keepDragDirections(QHash<QString, int> directions, const SectionLayout &layout) {
        m_dragDirections = std::move(directions);
        m_directionsLayout = layout;
    }
    // A layout was handed over: it is tried afresh, whichever way earlier runs dragged items.
    void forgetDragDirections() { keepDragDirections({}, SectionLayout()); }

    // Where a failed item stands against its wanted lane, for reviewLaneFailures(): none to judge
    // it later (out of reach, not answering).
    struct LaneStanding {
        std::optional<Section> wanted;
        Section lane = Section::shown;
    };
    // Reviews the lane failures after a stable scan of `items` at `now`. Failures of items off
    // the bar clear after 45 s. An item on the bar whose failure is 45 s old clears when it has no
    // wanted lane or stands in it, and is returned for retiring into the lane it stands in when
    // more than one run failed; `standing` answers for each such item, in bar order.
    [[nodiscard]] QList<Adoption> reviewLaneFailures(
        const QList<MenuBarItem> &items, const QDateTime &now,
        const std::function<std::optional<LaneStanding>(const MenuBarItem &)> &standing);

private:
    void clearLaneFailure(const MenuBarItemID &id);

    QHash<MenuBarItemID, LaneSighting> m_seenUnassigned;
    QSet<MenuBarItemID> m_unmovable;
    QHash<MenuBarItemID, QDateTime> m_laneFailed;
    QHash<MenuBarItemID, int> m_laneFailedRuns;
    QHash<MenuBarItemID, Reachability> m_laneFailedReach;
    QHash<MenuBarItemID, int> m_stubbornOrder;
    QSet<MenuBarItemID> m_needsSlowGesture;
    QHash<QString, int> m_dragDirections;
    SectionLayout m_directionsLayout;
};

} // namespace zorv
