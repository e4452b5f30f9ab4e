// Bringing the engine up, and the two loops that keep it current: a scan every 30 s and a
// watchdog that brings the application's own icon back when it leaves the screen.

#include "classicengine.h"

using namespace Qt::StringLiterals;

namespace zorv {

QCoro::Task<> ClassicEngine::start() {
    assertMainThread();
    QPointer<ClassicEngine> self(this);
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
    while (!token.isCancelled()) {
        co_await clock.sleep(seconds(0.8), token);
        if (!self) {
            co_return;
        }
        self->publishHidingBlockedIfChanged();
        const QDateTime now = self->now();
        if (now < self->m_watchdogStandDownUntil ||
            self->secondsSince(self->m_lastDisplayChange) < 3.0 ||
            self->m_separatorController->iconIsOnScreen()) {
            misses = 0;
            continue;
        }
        if (++misses < 2) {
            continue;
        }
        misses = 0;
        self->appendEvent({{u"kind"_s, u"watchdog-miss"_s},
                           {u"geometry"_s, self->m_separatorController->geometry()}});
        co_await self->setHiddenRevealed(true, false, u"watchdog: icon off-screen"_s, false);
    }
}

} // namespace zorv
