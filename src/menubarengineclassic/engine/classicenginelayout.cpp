// The wanted layout: taking a whole new one, one user move, giving up on an item, and taking in
// the user's own drags on the bar.

#include "classicengine.h"

#include "drift/userdrags.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Per lane, the ids of the layout's items that are on the bar, left to right as the bar shows
// them (ties keep the scan order).
QList<MenuBarItemID> barOrder(const QList<MenuBarItem> &items, const SectionLayout &layout,
                              Section lane, const QSet<MenuBarItemID> &leftOut) {
    QList<const MenuBarItem *> onBar;
    for (const MenuBarItem &item : items) {
        if (ClassicEngine::isOnTheBar(item) && !leftOut.contains(item.id) &&
            layout.sectionOf(item.id) == lane) {
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
    QList<MenuBarItemID> kept;
    for (const MenuBarItemID &id : lane) {
        if (among.contains(id)) {
            kept.append(id);
        }
    }
    return kept;
}

} // namespace

QCoro::Task<> ClassicEngine::apply(SectionLayout layout) {
    assertMainThread();
    m_fruitlessDrift.clear();
    const SectionLayout previous = m_storedLayout;
    m_storedLayout = layout.normalized();

    // Without this the scan below would rewrite each lane into the bar's current order, and a
    // profile switch, an import or the layout saved at the last quit would keep only which
    // section items are in. Before a scan has read the bar there is nothing to compare with (the
    // stored layout handed over at start-up): the first trusted scan of a settled bar compares,
    // once the applications launched with the Mac have put their items up.
    if (!m_lastItems.isEmpty()) {
        markOrderDirtyIfTheBarDiffers();
    } else {
        m_orderUnchecked = true;
    }
    for (Section lane : allSections) {
        // Ids that changed lane or place may have been given up on as stubborn; try them again.
        const QList<MenuBarItemID> wanted = m_storedLayout.ids(lane);
        const QList<MenuBarItemID> before = previous.ids(lane);
        for (qsizetype i = 0; i < wanted.size(); ++i) {
            if (i >= before.size() || !(before.at(i) == wanted.at(i))) {
                m_stubbornOrder.remove(wanted.at(i));
            }
        }
    }

    if (m_onLayoutChanged) {
        m_onLayoutChanged(layout);
    }
    co_await refresh();
}

bool ClassicEngine::barOrderDiffers(const QSet<MenuBarItemID> &leftOut) const {
    for (Section lane : allSections) {
        const QList<MenuBarItemID> bar = barOrder(m_lastItems, m_storedLayout, lane, leftOut);
        if (restrictedTo(m_storedLayout.ids(lane), bar) != bar) {
            return true;
        }
    }
    return false;
}

void ClassicEngine::markOrderDirtyIfTheBarDiffers() {
    if (barOrderDiffers()) {
        m_orderDirty = true;
        ++m_orderEpoch;
        m_appliedLayoutPending = true;
    }
}

void ClassicEngine::bringAboutAppliedLayout(bool stable) {
    // The same conditions as a drift's run, without its wait for a second sighting: nothing
    // else would ever start a run for an order that differs only inside the sections. With
    // reordering off the layout waits for it to be switched on, or for a sort.
    if (m_appliedLayoutPending && m_orderDirty && m_reorderEnabled && stable && !hidingBlocked() &&
        !m_reconcileInFlight) {
        reconcileDetached(QPointer<ClassicEngine>(this), u"layout-applied"_s);
    }
}

QCoro::Task<> ClassicEngine::move(MenuBarItemID id, SectionPlacement placement) {
    assertMainThread();
    for (Section lane : allSections) {
        QList<MenuBarItemID> ids = m_storedLayout.ids(lane);
        ids.removeAll(id);
        m_storedLayout.sections.insert(lane, ids);
    }
    m_storedLayout = m_storedLayout.normalized();
    clearOrderMarks(id);

    QList<MenuBarItemID> lane = m_storedLayout.ids(placement.section);
    lane.insert(placement.insertionIndex(lane.size()), id);
    m_storedLayout.sections.insert(placement.section, lane);
    m_storedLayout = m_storedLayout.normalized();
    m_orderDirty = true;
    ++m_orderEpoch;
    reportLayout();

    for (MenuBarItem &item : m_lastItems) {
        if (item.id == id) {
            item.section = placement.section;
        }
    }
    m_items.push(m_lastItems);
    co_return;
}

void ClassicEngine::clearOrderMarks(const MenuBarItemID &id) {
    m_laneFailed.remove(id);
    m_laneFailedRuns.remove(id);
    m_unmovable.remove(id);
    // A user move asks for the order again, even of an item once found stubborn.
    m_stubbornOrder.remove(id);
}

void ClassicEngine::retire(const MenuBarItemID &id, Section into) {
    for (Section lane : allSections) {
        QList<MenuBarItemID> ids = m_storedLayout.ids(lane);
        ids.removeAll(id);
        m_storedLayout.sections.insert(lane, ids);
    }
    QList<MenuBarItemID> lane = m_storedLayout.ids(into);
    lane.append(id);
    m_storedLayout.sections.insert(into, lane);
    m_storedLayout = m_storedLayout.normalized();
    m_unmovable.insert(id);
    m_laneFailed.remove(id);
    m_laneFailedRuns.remove(id);
    appendReconcileLog(
        {{u"kind"_s, u"adopt"_s},
         {u"item"_s, id.bundleID},
         {u"lane"_s, rawValue(into)},
         {u"reason"_s, u"lane drag refused on 2 runs, still out of place 45s later"_s}});
}

void ClassicEngine::takeUserDrag(const ScanContext &context, MonotonicTime scannedAt,
                                 bool trusted) {
    const std::optional<BarReading> before = std::exchange(m_lastReading, std::nullopt);
    // The engine's own drags, and a bar that could not be read, say nothing about the user's.
    if (m_reconcileInFlight || !trusted || !context.hiddenSepX) {
        return;
    }
    m_lastReading = BarReading{scannedAt, context.separatorsOrdered,
                               UserDrags::read(m_lastItems, context.hiddenSepX, context.alwaysSepX,
                                               context.separatorsOrdered, context.unanswered)};
    if (!before || before->separatorsOrdered != context.separatorsOrdered ||
        !m_cursor.userDraggedSince(before->at)) {
        return;
    }
    const std::optional<MenuBarItemID> id = UserDrags::moved(before->lanes, m_lastReading->lanes);
    if (!id || !m_storedLayout.sectionOf(*id)) {
        return;
    }
    const SectionLayout placed = UserDrags::placed(m_storedLayout, *id, m_lastReading->lanes);
    if (placed == m_storedLayout) {
        return;
    }
    m_storedLayout = placed;
    clearOrderMarks(*id);
    const Section lane = m_storedLayout.sectionOf(*id).value_or(Section::shown);
    for (MenuBarItem &item : m_lastItems) {
        if (item.id == *id) {
            item.section = lane;
            item.isUnmovable = false;
        }
    }
    appendReconcileLog({{u"kind"_s, u"user-drag"_s},
                        {u"item"_s, id->bundleID},
                        {u"lane"_s, rawValue(lane)},
                        {u"index"_s, m_storedLayout.ids(lane).indexOf(*id)}});
    reportLayout();
}

void ClassicEngine::reportLayout() {
    if (m_onLayoutChanged) {
        m_onLayoutChanged(m_storedLayout);
    }
}

} // namespace zorv
