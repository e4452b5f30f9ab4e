// Reveal and tuck: the one operation that changes between tucked and revealed, its protocol and
// toggle forms, the auto-hide, the launch tuck, the emergency reveal and the settle wait.

#include "classicengine.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// The longest the launch tuck waits for the bar to lay Zorv's items out, and how often it looks.
constexpr double kLaunchLayoutSeconds = 3.0;
constexpr double kLaunchLayoutStep = 0.015;

} // namespace

QCoro::Task<> ClassicEngine::setHiddenRevealed(bool reveal, bool includingAlwaysHidden,
                                               bool holdOpen) {
    assertMainThread();
    co_await setHiddenRevealed(reveal, includingAlwaysHidden,
                               holdOpen ? u"automation-hold"_s : u"request"_s, holdOpen);
}

QCoro::Task<> ClassicEngine::toggleRevealed(bool includingAlwaysHidden) {
    assertMainThread();
    co_await setHiddenRevealed(!m_reveal.isRevealed(), includingAlwaysHidden, u"toggle"_s, false);
}

// Runs to its end without suspending, so concurrent calls never interleave.
QCoro::Task<> ClassicEngine::setHiddenRevealed(bool revealed, bool includingAlwaysHidden,
                                               QString reason, bool holdOpen) {
    // An activation may have found its item in sight only because the lanes are revealed: the
    // tuck is held until it has clicked, and then waits as the auto-hide does.
    if (!revealed && m_activations.outstanding()) {
        m_activations.deferTuck();
        co_return;
    }
    if (revealed) {
        m_activations.dropDeferredTuck();
    }
    // An item whose menu is open stays where the menu hangs from it.
    if (!revealed && m_heldTuck.hold(reason)) {
        co_return;
    }
    m_heldTuck.drop();
    m_reveal.setRevealed(revealed, includingAlwaysHidden, holdOpen, now());

    if (!revealed && m_bar.trusted() != true && !m_separatorController->separatorsAreOrdered()) {
        // Nothing tells what a tuck would hide without the permission, and separators out of
        // order (as they stand while Zorv waits for it) mark no lane: even with the icon hidden,
        // everything stays in view. So too before the first scan has read the permission, which
        // a launch tuck can come before.
        m_separatorController->showEverything();
        m_separatorController->setLastTuckRefused(true);
    } else {
        m_separatorController->setRevealed(revealed, includingAlwaysHidden);
    }
    writeDiagnostics(u"diagnostics.json"_s, revealed ? u"reveal"_s : u"tuck"_s);
    const bool refused = m_separatorController->lastTuckRefused();
    appendEvent({{u"kind"_s, revealed ? u"reveal"_s : u"tuck"_s},
                 {u"reason"_s, reason},
                 {u"includingAlwaysHidden"_s, includingAlwaysHidden},
                 {u"refused"_s, refused},
                 {u"geometry"_s, m_separatorController->geometry()}});

    if (refused) {
        m_health.tuckRefused();
        // Without the permission dragging the icon, as the log line advises, does not help.
        if (m_onTuckRefused && m_bar.trusted() == true) {
            m_onTuckRefused();
        }
        startTuckRecovery();
        selfHeal(false);
    } else if (!revealed) {
        m_health.tuckTook();
    }
    publishHidingBlockedIfChanged();

    m_rehideTask.cancel();
    if (revealed && m_autoRehideSeconds > 0 && !m_reveal.revealHeldOpen()) {
        armAutoRehide(m_autoRehideSeconds);
    }
    co_return;
}

void ClassicEngine::armAutoRehide(double delaySeconds) {
    QPointer<ClassicEngine> self(this);
    Clock &clock = m_platform.clock;
    const Duration delay = seconds(delaySeconds);
    auto body = [self, &clock, delay](CancellationToken token) -> QCoro::Task<> {
        const SleepOutcome slept = co_await clock.sleep(delay, token);
        if (slept == SleepOutcome::Cancelled || token.isCancelled() || !self) {
            co_return;
        }
        // The closing tuck of a run in flight cancels this wait; one that ends without (switched
        // off first) leaves the tuck to it.
        co_await self->untilRunEnds(token);
        if (token.isCancelled() || !self) {
            co_return;
        }
        co_await self->setHiddenRevealed(false, false, u"auto-rehide"_s, false);
    };
    m_rehideTask.start(std::move(body));
}

QCoro::Task<> ClassicEngine::tuckAsSoonAsTheBarIsLaidOut() {
    if (!m_reveal.beginLaunchTuck()) {
        // Begun by the engine's own start-up task: the caller reads the bar once it is tucked,
        // or a first scan read before then would go unpublished.
        co_await waitWhile([this] { return m_reveal.launchTuck() != LaunchTuck::done; },
                           kLaunchLayoutSeconds + kLaunchLayoutStep, kLaunchLayoutStep);
        co_return;
    }
    QPointer<ClassicEngine> self(this);
    Clock &clock = m_platform.clock;
    const MonotonicTime deadline = deadlineAfter(clock.now(), seconds(kLaunchLayoutSeconds));
    while (clock.now() < deadline && !m_separatorController->framesReadable()) {
        co_await clock.sleep(seconds(kLaunchLayoutStep));
        if (!self) {
            co_return;
        }
    }
    m_reveal.finishLaunchTuck();
    co_await setHiddenRevealed(false, false, u"launch"_s, false);
}

void ClassicEngine::forceShowEverything() {
    assertMainThread();
    m_rehideTask.cancel();
    m_heldTuck.drop();
    m_tuckRecovery.cancel();
    m_health.recoveryStopped();
    m_cursor.endAnyCursorSession();
    m_reveal.markRevealed();
    m_health.refusalCleared();
    m_separatorController->showEverything();
    publishHidingBlockedIfChanged();
}

void ClassicEngine::showEverythingAndMarkRevealed() {
    m_separatorController->showEverything();
    m_reveal.markRevealed();
}

QCoro::Task<bool> ClassicEngine::waitForRevealToSettle(double seconds, bool includingAlwaysHidden,
                                                       CancellationToken cancellation) {
    QPointer<ClassicEngine> self(this);
    Clock &clock = m_platform.clock;
    const MonotonicTime deadline = deadlineAfter(clock.now(), zorv::seconds(seconds));
    while (true) {
        if (!self) {
            co_return false;
        }
        if (self->m_separatorController->revealLaidOut(includingAlwaysHidden)) {
            co_return true;
        }
        if (clock.now() >= deadline) {
            co_return false;
        }
        // A cancelled sleep returns at once: going round again would spin the main thread.
        if (co_await clock.sleep(zorv::seconds(0.05), cancellation) == SleepOutcome::Cancelled) {
            co_return false;
        }
    }
}

QCoro::Task<> ClassicEngine::reconcileDetached(QPointer<ClassicEngine> self, QString trigger) {
    if (self) {
        co_await self->reconcileMenuBar(std::move(trigger));
    }
}

} // namespace zorv
