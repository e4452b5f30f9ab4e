// The wanted layout: taking a whole new one, one user move, giving up on an item, and taking in
// the user's own drags on the bar.

#include "classicengine.h"

#include "currentarrangement.h"
#include "drift/userdrags.h"
#include "sectionindex.h"

using namespace Qt::StringLiterals;

namespace zorv {

QCoro::Task<> ClassicEngine::apply(SectionLayout layout) {
    assertMainThread();
    m_drift.forgetFruitless();
    // Before a scan has read the bar there is nothing to compare with (the stored layout handed
    // over at start-up): the first trusted scan of a settled bar compares, once the applications
    // launched with the Mac have put their items up.
    const SectionLayout previous = m_wanted.apply(layout, m_bar.lastItems(), outOfLane());
    // Which way earlier runs dragged items belongs to the layouts they worked towards: kept, it
    // would stop the runs from dragging an item back into a lane a profile switched back to.
    m_records.forgetDragDirections();
    const SectionIndex sectionsBefore(previous);
    for (Section lane : allSections) {
        const QList<MenuBarItemID> wanted = m_wanted.storedLayout().ids(lane);
        const QList<MenuBarItemID> before = previous.ids(lane);
        for (qsizetype i = 0; i < wanted.size(); ++i) {
            // An item given up on in the lane it stood in (retired, failed or stubborn) is wanted
            // elsewhere now: its lane is asked for again, as after the user's own move.
            if (sectionsBefore.sectionOf(wanted.at(i)) != lane) {
                m_records.clearOrderMarks(wanted.at(i));
            } else if (i >= before.size() || !(before.at(i) == wanted.at(i))) {
                // Ids that changed place may have been given up on as stubborn; try them again.
                m_records.retryOrder(wanted.at(i));
            }
        }
    }

    if (m_onLayoutChanged) {
        m_onLayoutChanged(layout);
    }
    co_await refresh();
}

void ClassicEngine::bringAboutAppliedLayout(bool stable) {
    // The same conditions as a drift's run, without its wait for a second sighting: nothing
    // else would ever start a run for an order that differs only inside the sections. With
    // reordering off the layout waits for it to be switched on, or for a sort.
    if (m_wanted.appliedLayoutWaiting() && m_reorderEnabled && stable && !hidingBlocked() &&
        !m_runs.reconcileInFlight()) {
        reconcileDetached(QPointer<ClassicEngine>(this), u"layout-applied"_s);
    }
}

QCoro::Task<> ClassicEngine::move(MenuBarItemID id, SectionPlacement placement) {
    assertMainThread();
    m_records.clearOrderMarks(id);
    // Items not taken in yet keep their section and order: the user placed the item among the
    // items the bar and the layout pane show, not among the few the layout holds so far.
    m_wanted.replace(currentArrangement(m_wanted.storedLayout(), m_bar.lastItems()));
    m_wanted.move(id, placement);
    reportLayout();

    m_bar.setSection(id, placement.section);
    publishItems();
    co_return;
}

void ClassicEngine::retire(const MenuBarItemID &id, Section into,
                           const QList<MenuBarItemID> &barLane) {
    m_wanted.retire(id, into, barLane);
    m_records.retired(id);
    appendReconcileLog(
        {{u"kind"_s, u"adopt"_s},
         {u"item"_s, id.bundleID},
         {u"lane"_s, rawValue(into)},
         {u"reason"_s, u"lane drag refused on 2 runs, still out of place 45s later"_s}});
}

void ClassicEngine::takeUserDrag(const ScanContext &context, MonotonicTime scannedAt,
                                 bool trusted) {
    // A bar that could not be read says nothing about the user's drags.
    if (!trusted || !context.hiddenSepX) {
        (void)m_wanted.forgetReading();
        return;
    }
    // The user dragged while this scan read the items and then the separators: the reading may be
    // half from before the drop and half from after it. The last one stays to compare with.
    if (m_cursor.userDraggedSince(scannedAt)) {
        return;
    }
    const std::optional<WantedLayout::DragReading> before = m_wanted.forgetReading();
    WantedLayout::DragReading reading{scannedAt, context.separatorsOrdered,
                                      UserDrags::read(m_bar.lastItems(), context.hiddenSepX,
                                                      context.alwaysSepX, context.separatorsOrdered,
                                                      context.unanswered)};
    const BorrowedCursor &cursor = m_cursor;
    const std::optional<MenuBarItemID> id = m_wanted.takeUserDrag(
        before, std::move(reading),
        [&cursor](MonotonicTime since) { return cursor.userDraggedSince(since); },
        m_runs.reconcileInFlight());
    if (!id) {
        return;
    }
    m_records.clearOrderMarks(*id);
    const Section lane = m_wanted.storedLayout().sectionOf(*id).value_or(Section::shown);
    m_bar.setSection(*id, lane, true);
    appendReconcileLog({{u"kind"_s, u"user-drag"_s},
                        {u"item"_s, id->bundleID},
                        {u"lane"_s, rawValue(lane)},
                        {u"index"_s, m_wanted.storedLayout().ids(lane).indexOf(*id)}});
    reportLayout();
}

void ClassicEngine::reportLayout() {
    if (m_onLayoutChanged) {
        m_onLayoutChanged(m_wanted.storedLayout());
    }
}

} // namespace zorv
