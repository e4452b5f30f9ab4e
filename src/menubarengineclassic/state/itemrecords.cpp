#include "itemrecords.h"

#include "reconcile/dragplanner.h"

#include <algorithm>

namespace zorv {

namespace {

// Adoption waits for this many stable sightings in the same lane.
constexpr int kStableSightings = 2;

double secondsBetween(const QDateTime &from, const QDateTime &to) {
    return static_cast<double>(from.msecsTo(to)) / 1000.0;
}

} // namespace

QList<MenuBarItemID> ItemRecords::awaitingRetirement(const Reachability &reach) const {
    QList<MenuBarItemID> ids;
    for (auto it = m_laneFailedRuns.cbegin(); it != m_laneFailedRuns.cend(); ++it) {
        if (it.value() >= laneFailedRunsToRetire &&
            m_laneFailedReach.value(it.key()).samePlaces(reach)) {
            ids.append(it.key());
        }
    }
    return ids;
}

QSet<MenuBarItemID> ItemRecords::stubbornSet() const {
    return DragPlanner::stubbornSet(m_stubbornOrder, m_unmovable);
}

QList<Adoption> ItemRecords::adoptions(const QList<MenuBarItem> &items, const SectionLayout &layout,
                                       const QSet<QString> &churning) {
    return DriftRules::adoptions(items, layout, churning, m_seenUnassigned, kStableSightings);
}

void ItemRecords::clearOrderMarks(const MenuBarItemID &id) {
    clearLaneFailure(id);
    m_unmovable.remove(id);
    // A user move asks for the order again, even of an item once found stubborn.
    m_stubbornOrder.remove(id);
}

void ItemRecords::retired(const MenuBarItemID &id) {
    m_unmovable.insert(id);
    clearLaneFailure(id);
}

bool ItemRecords::orderOutcome(const MenuBarItemID &id, bool took) {
    const int strikes = took ? 0 : m_stubbornOrder.value(id) + 1;
    m_stubbornOrder.insert(id, strikes);
    return took || strikes <= DragPlanner::stubbornRuns;
}

bool ItemRecords::laneOutcome(const MenuBarItemID &id, bool took, const QDateTime &now,
                              const Reachability &reach) {
    if (took) {
        clearLaneFailure(id);
        m_unmovable.remove(id);
        return true;
    }
    m_laneFailed.insert(id, now);
    m_laneFailedRuns.insert(id, m_laneFailedRuns.value(id) + 1);
    m_laneFailedReach.insert(id, reach);
    return false;
}

void ItemRecords::gestureOutcome(const MenuBarItemID &id, bool took) {
    if (took) {
        m_needsSlowGesture.remove(id);
    } else {
        m_needsSlowGesture.insert(id);
    }
}

QList<Adoption> ItemRecords::reviewLaneFailures(
    const QList<MenuBarItem> &items, const QDateTime &now,
    const std::function<std::optional<LaneStanding>(const MenuBarItem &)> &standing) {
    // Failures of items on the bar are looked at in bar order, so that two retired into one lane
    // land in the same order on every run; the others are only cleared.
    QList<const MenuBarItem *> failed;
    for (const MenuBarItem &item : items) {
        const bool listed = std::any_of(failed.cbegin(), failed.cend(),
                                        [&item](const MenuBarItem *f) { return f->id == item.id; });
        if (!item.isDormant && item.frame.width() > 0 && m_laneFailed.contains(item.id) &&
            !listed) {
            failed.append(&item);
        }
    }
    const auto isFailed = [&failed](const MenuBarItemID &id) {
        return std::any_of(failed.cbegin(), failed.cend(),
                           [&id](const MenuBarItem *f) { return f->id == id; });
    };
    QList<MenuBarItemID> cleared;
    for (auto failure = m_laneFailed.constBegin(); failure != m_laneFailed.constEnd(); ++failure) {
        if (!isFailed(failure.key()) &&
            secondsBetween(failure.value(), now) >= laneFailureSeconds) {
            cleared.append(failure.key());
        }
    }
    QList<Adoption> retirements;
    for (const MenuBarItem *item : std::as_const(failed)) {
        if (secondsBetween(m_laneFailed.value(item->id), now) < laneFailureSeconds) {
            continue;
        }
        const std::optional<LaneStanding> where = standing(*item);
        if (!where) {
            continue;
        }
        if (!where->wanted || where->lane == *where->wanted) {
            cleared.append(item->id);
        } else if (m_laneFailedRuns.value(item->id) >= laneFailedRunsToRetire) {
            retirements.append({item->id, where->lane});
        }
    }
    for (const MenuBarItemID &id : std::as_const(cleared)) {
        clearLaneFailure(id);
    }
    return retirements;
}

void ItemRecords::clearLaneFailure(const MenuBarItemID &id) {
    m_laneFailed.remove(id);
    m_laneFailedRuns.remove(id);
    m_laneFailedReach.remove(id);
}

} // namespace zorv
