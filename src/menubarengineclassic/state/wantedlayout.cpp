#include "wantedlayout.h"

#include "sectionindex.h"

#include <algorithm>

namespace zorv {

namespace {

bool isOnTheBar(const MenuBarItem &item) {
    return !item.isDormant && item.frame.width() > 0;
}

// Per lane, the ids of the layout's items that are on the bar, left to right as the bar shows
// them (ties keep the scan order).
QList<MenuBarItemID> barOrder(const QList<MenuBarItem> &items, const SectionIndex &layout,
                              Section lane, const QSet<MenuBarItemID> &leftOut) {
    QList<const MenuBarItem *> onBar;
    for (const MenuBarItem &item : items) {
        if (isOnTheBar(item) && !leftOut.contains(item.id) && layout.sectionOf(item.id) == lane) {
            onBar.append(&item);
        }
    }
    std::stable_sort(onBar.begin(), onBar.end(), [](const MenuBarItem *a, const MenuBarItem *b) {
        return a->frame.left() < b->frame.left();
    });
    QList<MenuBarItemID> ids;
    for (const MenuBarItem *item : std::as_const(onBar)) {
        ids.append(item->id);
    }
    return ids;
}

// The lane's ids that `among` also holds, in the lane's order.
QList<MenuBarItemID> restrictedTo(const QList<MenuBarItemID> &lane,
                                  const QList<MenuBarItemID> &among) {
    const QSet<MenuBarItemID> amongSet(among.cbegin(), among.cend());
    QList<MenuBarItemID> kept;
    for (const MenuBarItemID &id : lane) {
        if (amongSet.contains(id)) {
            kept.append(id);
        }
    }
    return kept;
}

SectionLayout without(SectionLayout layout, const MenuBarItemID &id) {
    for (Section lane : allSections) {
        QList<MenuBarItemID> ids = layout.ids(lane);
        ids.removeAll(id);
        layout.sections.insert(lane, ids);
    }
    return layout;
}

// The lanes without `ids`.
UserDrags::Lanes withoutAll(UserDrags::Lanes lanes, const QSet<MenuBarItemID> &ids) {
    if (!ids.isEmpty()) {
        for (QList<MenuBarItemID> &lane : lanes) {
            lane.removeIf([&ids](const MenuBarItemID &id) { return ids.contains(id); });
        }
    }
    return lanes;
}

} // namespace

SectionLayout WantedLayout::apply(const SectionLayout &layout, const QList<MenuBarItem> &lastItems,
                                  const OutOfLane &outOfLane) {
    SectionLayout previous = std::exchange(m_storedLayout, layout.normalized());
    // Without this the scans would rewrite each lane into the bar's current order, and a layout
    // handed over would keep only which section items are in.
    if (!lastItems.isEmpty()) {
        markOrderDirtyIfTheBarDiffers(lastItems, outOfLane);
    } else {
        m_orderUnchecked = true;
    }
    return previous;
}

void WantedLayout::check(const QList<MenuBarItem> &lastItems, const OutOfLane &outOfLane) {
    if (m_orderUnchecked) {
        m_orderUnchecked = false;
        markOrderDirtyIfTheBarDiffers(lastItems, outOfLane);
    }
}

bool WantedLayout::barOrderDiffers(const QList<MenuBarItem> &items, const OutOfLane &outOfLane,
                                   const QSet<MenuBarItemID> &leftOut) const {
    const SectionIndex sections(m_storedLayout);
    // The order alone misses an item moved to the near end of the next lane: a hidden item
    // wanted first in Shown already stands left of every shown item.
    for (const MenuBarItem &item : items) {
        const std::optional<Section> wanted = sections.sectionOf(item.id);
        if (wanted && isOnTheBar(item) && !leftOut.contains(item.id) && outOfLane(item, *wanted)) {
            return true;
        }
    }
    for (Section lane : allSections) {
        const QList<MenuBarItemID> bar = barOrder(items, sections, lane, leftOut);
        if (restrictedTo(m_storedLayout.ids(lane), bar) != bar) {
            return true;
        }
    }
    return false;
}

void WantedLayout::markOrderDirtyIfTheBarDiffers(const QList<MenuBarItem> &items,
                                                 const OutOfLane &outOfLane) {
    if (barOrderDiffers(items, outOfLane)) {
        m_orderDirty = true;
        ++m_orderEpoch;
        m_appliedLayoutPending = true;
    }
}

void WantedLayout::move(const MenuBarItemID &id, const SectionPlacement &placement) {
    m_storedLayout = without(m_storedLayout, id).normalized();
    QList<MenuBarItemID> lane = m_storedLayout.ids(placement.section);
    lane.insert(placement.insertionIndex(lane.size()), id);
    m_storedLayout.sections.insert(placement.section, lane);
    m_storedLayout = m_storedLayout.normalized();
    m_orderDirty = true;
    ++m_orderEpoch;
}

void WantedLayout::retire(const MenuBarItemID &id, Section into,
                          const QList<MenuBarItemID> &barLane) {
    m_storedLayout = UserDrags::placedIn(m_storedLayout, id, into, barLane);
}

void WantedLayout::adopt(const MenuBarItemID &id, Section lane,
                         const QList<MenuBarItemID> &barLane) {
    m_storedLayout = UserDrags::placedIn(m_storedLayout, id, lane, barLane);
}

bool WantedLayout::dropItemsOf(const QString &prefix) {
    bool changed = false;
    for (Section section : allSections) {
        QList<MenuBarItemID> lane = m_storedLayout.ids(section);
        // The stored layout is in normal form: a lane without such items leaves it as it is.
        if (lane.removeIf([&prefix](const MenuBarItemID &id) {
                return id.bundleID.startsWith(prefix);
            }) == 0) {
            continue;
        }
        m_storedLayout.sections.insert(section, lane);
        m_storedLayout = m_storedLayout.normalized();
        changed = true;
    }
    return changed;
}

bool WantedLayout::forgetUninstalled(const std::function<bool(const QString &)> &keep) {
    const SectionLayout before = m_storedLayout;
    m_storedLayout = m_storedLayout.forgettingUninstalled(keep).normalized();
    return !(m_storedLayout == before);
}

void WantedLayout::ownDragPosted(const std::optional<MenuBarItemID> &id) {
    if (id) {
        m_ownDragged.insert(*id);
    } else {
        m_lastReading.reset();
    }
}

std::optional<MenuBarItemID>
WantedLayout::takeUserDrag(const std::optional<DragReading> &before, DragReading reading,
                           const std::function<bool(MonotonicTime)> &userDraggedSince,
                           bool runInFlight) {
    m_lastReading = std::move(reading);
    const QSet<MenuBarItemID> ownDragged =
        runInFlight ? m_ownDragged : std::exchange(m_ownDragged, {});
    if (!before || before->separatorsOrdered != m_lastReading->separatorsOrdered ||
        !userDraggedSince(before->at)) {
        return std::nullopt;
    }
    const std::optional<MenuBarItemID> id = UserDrags::moved(
        withoutAll(before->lanes, ownDragged), withoutAll(m_lastReading->lanes, ownDragged));
    if (!id || !m_storedLayout.sectionOf(*id)) {
        return std::nullopt;
    }
    const SectionLayout placed = UserDrags::placed(m_storedLayout, *id, m_lastReading->lanes);
    if (placed == m_storedLayout) {
        return std::nullopt;
    }
    m_storedLayout = placed;
    return id;
}

} // namespace zorv
