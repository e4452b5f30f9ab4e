// Other applications' menus open on the bar: a drag's mouse-down would close them, and a run's
// reveal would move their items out from under them, so runs wait for them to close.

#include "classicengine.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// How often an open menu is looked at, and the longest a run waits for one before it stops
// dragging.
constexpr double kMenuLookStep = 0.25;
constexpr double kLongestMenuWaitSeconds = 600.0;
// How many menus, one opened after another for items asked for, a run waits out before its
// reveal.
constexpr int kLooksBeforeTheReveal = 5;

} // namespace

QCoro::Task<bool> ClassicEngine::giveWayToOpenMenus(BorrowedCursor::Owner owner,
                                                    MonotonicTime &quietAt, RunTally &tally) {
    if (!m_openMenus.anyOpen()) {
        co_return false;
    }
    QPointer<ClassicEngine> self(this);
    m_cursor.endCursorSession(owner);
    const MonotonicTime since = m_platform.clock.now();
    // An activation asked for, or reordering switched off, is the run's loop's to see to.
    std::function<bool()> waiting = [this] {
        return m_openMenus.anyOpen() && m_reorderEnabled && !m_activations.outstanding();
    };
    co_await waitWhile(waiting, kLongestMenuWaitSeconds, kMenuLookStep);
    if (!self) {
        co_return true;
    }
    appendReconcileLog({{u"kind"_s, u"waited-for-menu"_s},
                        {u"seconds"_s, toSeconds(m_platform.clock.now() - since)}});
    if (m_openMenus.anyOpen()) {
        if (waiting()) {
            tally.abortReason = u"a menu stayed open"_s;
        }
        co_return true;
    }
    // The user closed it: the run goes on once their hands are off the controls.
    co_await handBackToTheUser(owner, quietAt);
    co_return true;
}

QCoro::Task<bool> ClassicEngine::untilNoMenuBeforeTheReveal(BorrowedCursor::Owner owner,
                                                            MonotonicTime &quietAt,
                                                            RunTally &tally) {
    QPointer<ClassicEngine> self(this);
    // An item asked for meanwhile is opened first, and may leave its own menu open.
    for (int look = 0; look < kLooksBeforeTheReveal && m_openMenus.anyOpen(); ++look) {
        co_await giveWayToOpenMenus(owner, quietAt, tally);
        if (!self || tally.abortReason || !m_reorderEnabled) {
            co_return false;
        }
        co_await giveWayToActivations(owner);
        if (!self) {
            co_return false;
        }
    }
    co_return true;
}

} // namespace zorv
