// Reactions to applications coming, going and coming to the front, and to screen changes: the
// debounced rescan, the reading of the menus of an application that comes to the front, and the
// re-application of the reveal state once the bar has settled.

#include "classicengine.h"

#include "discovery/ax.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

void ClassicEngine::installObservers() {
    // Connections made with the engine as context end with it.
    m_observers.append(connect(&m_platform.workspace, &Workspace::applicationLaunched, this,
                               [this] { applicationsChurned(true); }));
    m_observers.append(connect(&m_platform.workspace, &Workspace::applicationTerminated, this,
                               [this](const RunningApplication &application) {
                                   applicationsChurned(hadItemsOnBar(application.processId));
                                   selfHealAfterChange();
                               }));
    m_observers.append(connect(&m_platform.workspace, &Workspace::applicationActivated, this,
                               [this](const RunningApplication &application) {
                                   m_bar.frontSwitched(now());
                                   readFrontMenus(application.processId);
                               }));
    m_observers.append(connect(&m_platform.screens, &Screens::screenParametersChanged, this,
                               [this] { displayParametersChanged(); }));
}

void ClassicEngine::applicationsChurned(bool barChanged) {
    // An application that quits with nothing on the bar leaves every item where it stood: the
    // scans go on judging the bar settled, and a drift sighted before counts on.
    if (barChanged) {
        m_bar.appsChurned(now());
    }
    m_drift.forgetFruitless();
    scheduleRefresh();
}

bool ClassicEngine::hadItemsOnBar(qint32 processId) const {
    const QList<MenuBarItem> &items = m_bar.lastItems();
    return std::any_of(items.cbegin(), items.cend(), [processId](const MenuBarItem &item) {
        return item.pid == processId && !item.isDormant;
    });
}

void ClassicEngine::readFrontMenus(qint32 processId) {
    // Without the permission nothing can be read; the scan after the grant reads them.
    if (m_bar.trusted() != true) {
        return;
    }
    QPointer<ClassicEngine> self(this);
    Accessibility &accessibility = m_platform.accessibility;
    Workspace &workspace = m_platform.workspace;
    WorkRunner work = m_platform.work;
    auto body = [self, &accessibility, &workspace, work,
                 processId](CancellationToken token) -> QCoro::Task<> {
        WorkRunner runner = work;
        struct Reading {
            bool trusted = false;
            std::optional<double> menusRight;
        };
        auto read = [&accessibility, processId] {
            Reading reading;
            reading.trusted = accessibility.isProcessTrusted();
            if (reading.trusted) {
                reading.menusRight = AX(accessibility).menusRight(processId);
            }
            return reading;
        };
        const Reading reading = co_await runner.run(std::move(read));
        if (!self || token.isCancelled()) {
            co_return;
        }
        // The permission went since the last scan: one now tells the rest of the engine.
        if (!reading.trusted) {
            self->scheduleRefresh();
            co_return;
        }
        const auto front = workspace.frontmostApplication();
        if (front && front->processId == processId) {
            self->m_bar.frontMenusRead(reading.menusRight);
        }
    };
    m_frontMenusRead.start(std::move(body));
}

void ClassicEngine::scheduleRefresh() {
    QPointer<ClassicEngine> self(this);
    Clock &clock = m_platform.clock;
    auto body = [self, &clock](CancellationToken token) -> QCoro::Task<> {
        const SleepOutcome slept = co_await clock.sleep(seconds(0.3), token);
        if (slept == SleepOutcome::Cancelled || token.isCancelled() || !self) {
            co_return;
        }
        co_await self->refresh();
    };
    m_refreshDebounce.start(std::move(body));
}

void ClassicEngine::displayParametersChanged() {
    m_health.displayChanged(now());
    m_drift.forgetFruitless();
    m_drift.forgetPrevious();
    m_cursor.endAnyCursorSession();
    appendEvent({{u"kind"_s, u"display-change"_s},
                 {u"revealed"_s, m_reveal.isRevealed()},
                 {u"geometry"_s, m_separatorController->geometry()}});
    scheduleRefresh();

    QPointer<ClassicEngine> self(this);
    Clock &clock = m_platform.clock;
    auto body = [self, &clock](CancellationToken token) -> QCoro::Task<> {
        const SleepOutcome slept = co_await clock.sleep(seconds(1.0), token);
        if (slept == SleepOutcome::Cancelled || token.isCancelled() || !self) {
            co_return;
        }
        co_await self->reapplyRevealState(u"display-change"_s, false);
    };
    m_retuckAfterDisplayChange.start(std::move(body));
    selfHealAfterChange();
}

QCoro::Task<> ClassicEngine::waitForReadableFrames(Duration step) {
    QPointer<ClassicEngine> self(this);
    Clock &clock = m_platform.clock;
    const MonotonicTime deadline = deadlineAfter(clock.now(), seconds(3.0));
    while (self && clock.now() < deadline && !self->m_separatorController->framesReadable()) {
        co_await clock.sleep(step);
    }
}

QCoro::Task<> ClassicEngine::reapplyRevealState(QString reason, bool forceReflow) {
    if (m_reveal.launchTuck() != LaunchTuck::done || m_runs.reconcileInFlight()) {
        co_return;
    }
    QPointer<ClassicEngine> self(this);
    co_await waitForReadableFrames(seconds(0.1));
    // A reconcile pass that started during the wait wins.
    if (!self || m_runs.reconcileInFlight()) {
        co_return;
    }
    m_health.retucked(now());
    if (!forceReflow || m_reveal.isRevealed()) {
        co_await setHiddenRevealed(m_reveal.isRevealed(), m_reveal.lastIncludingAlwaysHidden(),
                                   reason, m_reveal.revealHeldOpen());
        co_return;
    }
    // An item an activation found in sight is clicked there first, as for any tuck.
    if (m_activations.outstanding()) {
        m_activations.deferTuck();
        co_return;
    }
    if (m_heldTuck.hold(reason)) {
        co_return;
    }
    const bool tucked = co_await m_separatorController->retuckForcingReflow();
    if (!self) {
        co_return;
    }
    m_reveal.touched(now());
    appendEvent({{u"kind"_s, u"tuck"_s},
                 {u"reason"_s, reason},
                 {u"forcedReflow"_s, true},
                 {u"refused"_s, !tucked},
                 {u"geometry"_s, m_separatorController->geometry()}});
    writeDiagnostics(u"diagnostics.json"_s, u"tuck"_s);
    if (tucked) {
        m_health.refusalCleared();
    } else {
        m_health.tuckRefused();
        // Without the permission dragging the icon, as the log line advises, does not help.
        if (m_onTuckRefused && !waitingForGrant()) {
            m_onTuckRefused();
        }
        startTuckRecovery();
    }
    publishHidingBlockedIfChanged();
}

} // namespace zorv
