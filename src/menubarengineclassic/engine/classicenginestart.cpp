// Bringing the engine up, and the two loops that keep it current: a scan every 30 s and a
// watchdog that brings the application's own icon back when it goes out of sight (by a reveal, or
// by creating it again at the right end where no reveal can) and tucks again when a shown item
// shrinks and lets hidden ones into view.

#include "classicengine.h"

#include "state/watchdogbackoff.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// How long the watchdog waits for its reveal to be laid out before it looks at the icon again.
constexpr double kRevealLayoutSeconds = 0.4;

} // namespace

QCoro::Task<> ClassicEngine::start() {
    assertMainThread();
    QPointer<ClassicEngine> self(this);
    const bool firstLaunch = m_reveal.takePlaceInReach();
    if (firstLaunch) {
        co_await placeItemsInReach();
        if (!self) {
            co_return;
        }
    }
    co_await tuckAsSoonAsTheBarIsLaidOut();
    if (!self) {
        co_return;
    }
    // The bar lays the tuck out at the next turn of the event loop at the soonest: the first scan,
    // which reads the bar off the main thread, starts after that turn instead of racing it.
    if (co_await m_platform.clock.sleep(Duration::zero()) == SleepOutcome::Cancelled || !self) {
        co_return;
    }
    co_await refresh();
    if (!self) {
        co_return;
    }
    installObservers();
    auto poll = [self](CancellationToken token) { return runPoll(self, std::move(token)); };
    m_pollTask.start(std::move(poll));
    auto watchdog = [self](CancellationToken token) { return runWatchdog(self, std::move(token)); };
    m_watchdogTask.start(std::move(watchdog));
    // What the system remembered for the separators may have been taken while one was
    // lengthened: they come back where the lanes meet. At a first launch the user's layout (data
    // restored on a new Mac, preferences reset) says where the lanes meet better than the bar's
    // measure does, as at a grant. The items are created anew before the watchdog's first look;
    // it looks on while the bar lays them out, which takes seconds on a crowded bar.
    if (!firstLaunch || layoutPlacesItemsOnTheBar()) {
        co_await placeSeparatorsBetweenLanes(u"launch"_s);
    }
}

QCoro::Task<> ClassicEngine::runPoll(QPointer<ClassicEngine> self, CancellationToken token) {
    if (!self) {
        co_return;
    }
    Clock &clock = self->m_platform.clock;
    // Cancellation is looked at only before the sleep: one cut short still lets a scan run.
    while (!token.isCancelled()) {
        co_await clock.sleep(seconds(30.0), token);
        if (self) {
            co_await self->refresh();
        }
    }
}

QCoro::Task<> ClassicEngine::runWatchdog(QPointer<ClassicEngine> self, CancellationToken token) {
    if (!self) {
        co_return;
    }
    Clock &clock = self->m_platform.clock;
    // Another application in front brings other menus, which may leave room for the icon where
    // the last ones did not.
    const auto lastChange = [&self] {
        return std::max({self->m_health.lastDisplayChange(), self->m_bar.lastAppChurn(),
                         self->m_bar.lastFrontSwitch()});
    };
    WatchdogBackOff backOff(lastChange());
    while (!token.isCancelled()) {
        co_await clock.sleep(seconds(0.8), token);
        if (!self) {
            co_return;
        }
        self->publishHidingBlockedIfChanged();
        if (self->peekingWhileTucked()) {
            self->m_health.retucked(self->now());
            co_await self->setHiddenRevealed(false, false, u"peeking"_s, false);
            continue;
        }
        const QDateTime now = self->now();
        if (now < self->m_health.watchdogStandDownUntil() ||
            self->secondsSince(self->m_health.lastDisplayChange()) < 3.0 || self->iconInSight()) {
            backOff.iconAccountedFor();
            continue;
        }
        const bool revealDue = backOff.iconMissing(lastChange(), clock.now());
        const bool seatDue = backOff.seatDue(clock.now());
        // A reveal collapses the separators right of an icon that stands left of them: it brings
        // the icon back on screen where the items left of it fit, but on a crowded bar it can
        // leave it off screen or under the front application's menus. A reveal moves nothing
        // right of both separators, nor an icon on screen under the menus or the camera housing.
        // Where no reveal brings the icon back, the items are seated again.
        const bool offScreen = !self->m_separatorController->iconIsOnScreen();
        const bool revealFirst = offScreen && !self->m_separatorController->iconIsSafelyRightmost();
        if (revealDue && revealFirst) {
            co_await self->revealForTheIcon(backOff.fruitlessReveals());
            backOff.revealed(clock.now());
            const bool laidOut =
                self && co_await self->waitForRevealToSettle(kRevealLayoutSeconds, false);
            if (!self) {
                co_return;
            }
            if (!laidOut || self->iconInSight()) {
                continue;
            }
        }
        if (seatDue) {
            const bool seated = co_await self->seatIconInSight();
            if (!self) {
                co_return;
            }
            if (seated) {
                backOff.seated(clock.now());
                continue;
            }
        }
        if (revealDue && !revealFirst && !self->m_separatorController->iconIsOnScreen()) {
            co_await self->revealForTheIcon(backOff.fruitlessReveals());
            backOff.revealed(clock.now());
        }
    }
}

bool ClassicEngine::iconInSight() const {
    const SeparatorController &separators = *m_separatorController;
    if (separators.iconHidden()) {
        return true;
    }
    // Without the permission the front application's menus cannot be read: only the rightmost
    // slot, where they reach last, keeps the icon in sight whichever application comes to the
    // front.
    if (!separators.iconIsOnScreen() || (m_bar.trusted() != true && !iconInRightmostSlot())) {
        return false;
    }
    const std::optional<QRectF> frame = iconFrame();
    return !frame || !m_bar.reach().coveredBy(*frame).has_value();
}

QCoro::Task<> ClassicEngine::revealForTheIcon(int revealsBefore) {
    appendEvent({{u"kind"_s, u"watchdog-miss"_s},
                 {u"revealsBefore"_s, revealsBefore},
                 {u"geometry"_s, m_separatorController->geometry()}});
    co_await setHiddenRevealed(true, false, u"watchdog: icon off-screen"_s, false);
}

bool ClassicEngine::peekingWhileTucked() {
    // An icon out of sight comes first: with it left of the separators the tuck is refused, and
    // the watchdog's next look would come a tick late.
    if (!iconInSight()) {
        return false;
    }
    const std::optional<QRectF> frame = m_separatorController->hiddenSeparatorFrame();
    const std::optional<double> screenLeft = m_separatorController->barScreenMinX();
    if (m_reveal.launchTuck() != LaunchTuck::done || m_reveal.isRevealed() ||
        m_health.hidingRefused() || m_runs.reconcileInFlight() || !frame || !screenLeft ||
        m_separatorController->hiddenSep().length() <= SeparatorController::collapsedLength ||
        frame->left() <= *screenLeft || !m_reveal.notePeek(*frame)) {
        return false;
    }
    appendEvent({{u"kind"_s, u"peeking"_s}, {u"geometry"_s, m_separatorController->geometry()}});
    return true;
}

} // namespace zorv
