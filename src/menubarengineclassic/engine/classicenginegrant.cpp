// The Accessibility permission granted after launch: until then nothing can be measured or
// dragged, so the engine watches for the grant and then does what a first launch with the
// permission does.

#include "classicengine.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// How often the permission is looked at while it is missing.
constexpr double kGrantPollSeconds = 1.0;
// The longest wait for a run in flight before the items are placed.
constexpr double kRunWaitSeconds = 60.0;
constexpr double kRunWaitStep = 0.25;
// The longest wait for the grant's placement before an item is opened, and how often it is
// looked at.
constexpr double kPlacementWaitSeconds = 10.0;
constexpr double kPlacementLookStep = 0.05;

} // namespace

void ClassicEngine::watchForGrant() {
    if (m_permissionWatch.isPending()) {
        return;
    }
    QPointer<ClassicEngine> self(this);
    Clock &clock = m_platform.clock;
    Accessibility &accessibility = m_platform.accessibility;
    WorkRunner work = m_platform.work;
    auto body = [self, &clock, &accessibility, work](CancellationToken token) -> QCoro::Task<> {
        WorkRunner runner = work;
        while (!token.isCancelled()) {
            const SleepOutcome slept = co_await clock.sleep(seconds(kGrantPollSeconds), token);
            if (slept == SleepOutcome::Cancelled || !self) {
                co_return;
            }
            // The check asks the system, so it runs off the main thread like every other.
            auto check = [&accessibility] { return accessibility.isProcessTrusted(); };
            const bool trusted = co_await runner.run(std::move(check));
            if (!self || token.isCancelled()) {
                co_return;
            }
            if (!trusted) {
                continue;
            }
            // The scan takes the grant; a permission revoked again meanwhile is watched on.
            co_await self->refresh();
            if (!self || self->m_bar.trusted() != false) {
                co_return;
            }
        }
    };
    m_permissionWatch.start(std::move(body));
}

void ClassicEngine::takeGrant() {
    m_grantNoticed = false;
    m_grantPlacementMade = false;
    appendEvent({{u"kind"_s, u"accessibility-granted"_s},
                 {u"geometry"_s, m_separatorController->geometry()}});
    // What a run can reach changed, and so may what blocked self-healing.
    m_drift.forgetFruitless();
    m_health.selfHealAllowedAgain();
    QPointer<ClassicEngine> self(this);
    Clock &clock = m_platform.clock;
    auto body = [self, &clock](CancellationToken token) -> QCoro::Task<> {
        // A run's drags and a placement's new items would cross.
        const MonotonicTime deadline = deadlineAfter(clock.now(), seconds(kRunWaitSeconds));
        bool waited = false;
        while (self && self->m_runs.reconcileInFlight() && clock.now() < deadline) {
            waited = true;
            if (co_await clock.sleep(seconds(kRunWaitStep), token) == SleepOutcome::Cancelled) {
                co_return;
            }
        }
        if (!self || token.isCancelled()) {
            co_return;
        }
        // The placement reads the separators as they stand now, so it reads the items of the same
        // moment: the last scan saw the bar before the run's drags and its tuck.
        if (waited) {
            co_await self->refresh();
            if (!self || token.isCancelled()) {
                co_return;
            }
        }
        SeparatorController &separators = *self->m_separatorController;
        const bool deferred = self->m_reveal.takePlaceInReach();
        if (self->layoutPlacesItemsOnTheBar() || (!deferred && separators.separatorsAreOrdered())) {
            // The user's layout says where the lanes meet, on a first launch too, or the
            // separators stand between lanes the user left: they go (back) there, and the icon
            // right of both. Items the system will not let be dragged, or that stand out of
            // reach, are then in their lanes all the same. They are created anew before the
            // placement's first wait.
            self->m_grantPlacementMade = true;
            // An icon out of sight goes to the right end with them: the watchdog would otherwise
            // create it anew there right after.
            const IconSeat iconSeat =
                self->iconInSight() ? IconSeat::keepsItsPlace : IconSeat::toRightEnd;
            co_await self->placeSeparatorsBetweenLanes(u"launch"_s, iconSeat);
        } else {
            // Nothing tells where the lanes meet (the separators stand as a launch without the
            // permission put them): the bar is measured as at a first launch.
            co_await self->placeItemsInReach();
            if (!self) {
                co_return;
            }
            self->m_grantPlacementMade = true;
            co_await self->waitForReadableFrames(seconds(0.1));
        }
        if (!self) {
            co_return;
        }
        // A recovery loop waiting for the grant tries again at once.
        if (self->m_health.hidingRefused()) {
            self->m_tuckRecovery.cancel();
            self->m_health.recoveryStopped();
            self->startTuckRecovery();
        }
    };
    m_grantTask.start(std::move(body));
}

QCoro::Task<bool> ClassicEngine::untilGrantPlacementLaidOut() {
    // The placement goes on to tuck and to read the bar: the tuck waits for the activations, and
    // the reading moves nothing.
    const auto placing = [this] {
        return m_grantTask.isPending() &&
               (!m_grantPlacementMade || !m_separatorController->laidOut());
    };
    return waitWhile(placing, kPlacementWaitSeconds, kPlacementLookStep);
}

bool ClassicEngine::grantPlacementAhead() const {
    return m_grantTask.isPending() && !m_grantPlacementMade;
}

bool ClassicEngine::waitingForGrant() const {
    return m_bar.trusted() == false;
}

bool ClassicEngine::grantPlacementDue() const {
    return waitingForGrant() || m_grantNoticed || m_grantTask.isPending();
}

QCoro::Task<> ClassicEngine::admitAfterTheGrant(QString trigger) {
    QPointer<ClassicEngine> self(this);
    const int kept = m_runs.keepForGrant(trigger);
    appendReconcileLog(
        {{u"trigger"_s, trigger}, {u"waitsFor"_s, u"the Accessibility permission"_s}});
    // The grant may come hours later; until then this only looks now and then. A request a later
    // one replaced still waits for that one's run: its caller may be what keeps arranging on.
    while (self && m_reorderEnabled) {
        if (!grantPlacementDue() && !m_runs.reconcileInFlight()) {
            if (const std::optional<QString> request = m_runs.takeKept(kept)) {
                co_await admitReconcile(*request, m_reorderEnabled);
                co_return;
            }
            if (!m_runs.hasKept()) {
                co_return;
            }
        }
        co_await sleep(kRunWaitStep);
    }
    if (self) {
        (void)m_runs.takeKept(kept);
    }
}

bool ClassicEngine::waitingForAccessibility() const {
    return waitingForGrant();
}

bool ClassicEngine::ownItemsInOrder() const {
    return m_bar.trusted() == true && !m_grantTask.isPending() &&
           m_separatorController->separatorsAreOrdered() &&
           !m_separatorController->iconNeedsReseating();
}

bool ClassicEngine::canSeatItems() const {
    return m_bar.trusted() == true && !m_separatorController->iconHidden() &&
           !m_runs.reconcileInFlight();
}

} // namespace zorv
