// Other applications' menus open on the bar: a drag's mouse-down would close them and a tuck
// would move their items out from under them, so runs wait before dragging and the engine's own
// tucks are held until the menus have closed.

#include "classicengine.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// How often an open menu is looked at, and the longest a run waits for one before it stops
// dragging.
constexpr double kMenuLookStep = 0.25;
constexpr double kLongestMenuWaitSeconds = 600.0;

} // namespace

bool ClassicEngine::holdTuckForMenus(const QString &reason) {
    if (!OpenMenus::holdsTuck(reason) || !m_openMenus.anyOpen()) {
        return false;
    }
    m_openMenus.holdTuck(reason);
    // The watch under way makes the latest tuck held.
    if (m_heldTuckTask.isPending()) {
        return true;
    }
    QPointer<ClassicEngine> self(this);
    auto body = [self](CancellationToken token) -> QCoro::Task<> {
        while (self && !token.isCancelled() && self->m_openMenus.holdingTuck()) {
            if (const std::optional<QString> tuck = self->m_openMenus.takeHeldTuck()) {
                co_await self->setHiddenRevealed(false, false, *tuck, false);
                co_return;
            }
            co_await self->sleep(kMenuLookStep, token);
        }
    };
    m_heldTuckTask.start(std::move(body));
    return true;
}

void ClassicEngine::dropTuckHeldForMenus() {
    m_openMenus.dropHeldTuck();
    m_heldTuckTask.cancel();
}

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

} // namespace zorv
