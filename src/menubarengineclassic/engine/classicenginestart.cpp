// Bringing the engine up, and the two loops that keep it current: a scan every 30 s and a
// watchdog that brings the application's own icon back when it leaves the screen and tucks again
// when a shown item shrinks and lets hidden ones into view.

#include "classicengine.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// The wait after the watchdog's first fruitless reveal, and the longest.
constexpr double kWatchdogFirstWait = 1.6;
constexpr double kWatchdogLongestWait = 300.0;

} // namespace

QCoro::Task<> ClassicEngine::start() {
    assertMainThread();
    QPointer<ClassicEngine> self(this);
    if (m_placeInReach) {
        co_await placeItemsInReach();
        if (!self) {
            co_return;
        }
    }
    co_await tuckAsSoonAsTheBarIsLaidOut();
    if (!self) {
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
    int misses = 0;
    // Reveals in a row that left the icon off screen; each doubles the wait before the next, up
    // to the ceiling, until the icon comes back or a display or application changes.
    int fruitlessReveals = 0;
    MonotonicTime nextReveal = clock.now();
    QDateTime changeSeen = std::max(self->m_lastDisplayChange, self->m_lastAppChurn);
    while (!token.isCancelled()) {
        co_await clock.sleep(seconds(0.8), token);
        if (!self) {
            co_return;
        }
        self->publishHidingBlockedIfChanged();
        if (self->peekingWhileTucked()) {
            self->m_lastRetuck = self->now();
            co_await self->setHiddenRevealed(false, false, u"peeking"_s, false);
            continue;
        }
        const QDateTime now = self->now();
        if (now < self->m_watchdogStandDownUntil ||
            self->secondsSince(self->m_lastDisplayChange) < 3.0 ||
            self->m_separatorController->iconIsOnScreen()) {
            misses = 0;
            fruitlessReveals = 0;
            continue;
        }
        if (++misses < 2) {
            continue;
        }
        const QDateTime change = std::max(self->m_lastDisplayChange, self->m_lastAppChurn);
        if (change != changeSeen) {
            changeSeen = change;
            fruitlessReveals = 0;
        }
        if (fruitlessReveals > 0 && clock.now() < nextReveal) {
            continue;
        }
        misses = 0;
        self->appendEvent({{u"kind"_s, u"watchdog-miss"_s},
                           {u"revealsBefore"_s, fruitlessReveals},
                           {u"geometry"_s, self->m_separatorController->geometry()}});
        co_await self->setHiddenRevealed(true, false, u"watchdog: icon off-screen"_s, false);
        const double wait =
            std::min(kWatchdogFirstWait * std::pow(2.0, fruitlessReveals), kWatchdogLongestWait);
        ++fruitlessReveals;
        nextReveal = deadlineAfter(clock.now(), seconds(wait));
    }
}

bool ClassicEngine::peekingWhileTucked() {
    const std::optional<QRectF> frame = m_separatorController->hiddenSeparatorFrame();
    const std::optional<double> screenLeft = m_separatorController->barScreenMinX();
    if (m_launchTuck != LaunchTuck::done || m_isRevealed || m_hidingRefused ||
        m_reconcileInFlight || !frame || !screenLeft ||
        m_separatorController->hiddenSep().length() <= SeparatorController::collapsedLength ||
        frame->left() <= *screenLeft || frame == m_peekRetuckFrame) {
        return false;
    }
    m_peekRetuckFrame = frame;
    appendEvent({{u"kind"_s, u"peeking"_s}, {u"geometry"_s, m_separatorController->geometry()}});
    return true;
}

} // namespace zorv
