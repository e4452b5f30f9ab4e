// Hiding health: the recovery loop after a refused tuck, the user's retry, and the publication of
// why hiding is blocked.

#include "classicengine.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// How often recovery looks whether the permission it waits for came.
constexpr double kGrantWaitStep = 1.0;

} // namespace

void ClassicEngine::publishHidingBlockedIfChanged() {
    const auto reason = m_health.publication(now(), waitingForGrant());
    if (reason && m_onHidingBlockedChanged) {
        m_onHidingBlockedChanged(*reason);
    }
}

void ClassicEngine::startTuckRecovery() {
    const std::optional<int> started = m_health.beginRecovery();
    if (!started) {
        return;
    }
    const int generation = *started;
    QPointer<ClassicEngine> self(this);
    auto body = [self, generation](CancellationToken token) {
        return runTuckRecovery(self, generation, std::move(token));
    };
    m_tuckRecovery.start(std::move(body));
}

QCoro::Task<> ClassicEngine::runTuckRecovery(QPointer<ClassicEngine> self, int generation,
                                             CancellationToken token) {
    if (!self) {
        co_return;
    }
    Clock &clock = self->m_platform.clock;
    for (int attempt = 1;; ++attempt) {
        if (token.isCancelled() || !self || !self->m_health.hidingRefused()) {
            break;
        }
        // Only the placement after the grant brings an icon out of reach back, and only a new
        // display can make room meanwhile: until either, trying again only fails again.
        if (self->waitingForGrant()) {
            self->appendRecoveryRecord(attempt, std::nullopt,
                                       u"waiting for the Accessibility permission"_s);
            const QDateTime displayChange = self->m_health.lastDisplayChange();
            while (self && !token.isCancelled() && self->waitingForGrant() &&
                   self->m_health.lastDisplayChange() == displayChange) {
                co_await clock.sleep(seconds(kGrantWaitStep), token);
            }
            if (token.isCancelled() || !self || !self->m_health.hidingRefused()) {
                break;
            }
        }
        // Laying the bar out during a run would move the items under its drags.
        co_await self->untilRunEnds(token);
        if (token.isCancelled() || !self || !self->m_health.hidingRefused()) {
            break;
        }
        co_await self->untilDragGestureEnds();
        if (token.isCancelled() || !self) {
            break;
        }
        self->showEverythingAndMarkRevealed();
        co_await clock.sleep(seconds(0.7), token);
        if (token.isCancelled() || !self) {
            break;
        }
        co_await self->untilDragGestureEnds();
        if (token.isCancelled() || !self) {
            break;
        }
        const bool safelyRightmost = co_await self->seatMisplacedIcon();
        if (token.isCancelled() || !self) {
            break;
        }
        self->appendRecoveryRecord(attempt, safelyRightmost, std::nullopt);
        if (safelyRightmost && !self->m_runs.reconcileInFlight()) {
            co_await self->setHiddenRevealed(false, false, u"tuck-recovery"_s, false);
            if (!self || !self->m_health.hidingRefused()) {
                break;
            }
        }
        co_await clock.sleep(seconds(HidingHealth::recoveryPause(attempt)), token);
    }
    // A loop that was cancelled and replaced never clears its successor's handle.
    if (self && self->m_health.endRecovery(generation)) {
        self->publishHidingBlockedIfChanged();
    }
}

void ClassicEngine::selfHeal(bool afterChange) {
    // A run sees nothing without the permission; the grant allows two again.
    if (waitingForGrant()) {
        return;
    }
    if (m_health.takeSelfHealAttempt(afterChange)) {
        reconcileDetached(QPointer<ClassicEngine>(this), u"tuck-refused-self-heal"_s);
    }
}

void ClassicEngine::selfHealAfterChange() {
    QPointer<ClassicEngine> self(this);
    Clock &clock = m_platform.clock;
    auto body = [self, &clock](CancellationToken token) -> QCoro::Task<> {
        // After the display-change retuck, once the bar has laid itself out for the change.
        const SleepOutcome slept = co_await clock.sleep(seconds(1.5), token);
        if (slept == SleepOutcome::Cancelled || token.isCancelled() || !self ||
            !self->m_health.hidingRefused()) {
            co_return;
        }
        self->selfHeal(true);
    };
    m_selfHealAfterChange.start(std::move(body));
}

QCoro::Task<bool> ClassicEngine::seatMisplacedIcon() {
    QPointer<ClassicEngine> self(this);
    SeparatorController &separators = *m_separatorController;
    if (separators.iconIsSafelyRightmost() || !canSeatItems()) {
        co_return separators.iconIsSafelyRightmost();
    }
    // Seated from the bar as it stands now, not as the last scan saw it.
    co_await refresh();
    if (!self || !self->canSeatItems() || !self->seatItemsBetweenLanes()) {
        co_return self && self->m_separatorController->iconIsSafelyRightmost();
    }
    co_await self->waitForReadableFrames(seconds(0.1));
    co_return self && self->m_separatorController->iconIsSafelyRightmost();
}

void ClassicEngine::appendRecoveryRecord(int attempt, std::optional<bool> iconSafelyRightmost,
                                         std::optional<QString> reason) {
    QJsonObject record{{u"kind"_s, u"tuck-recovery"_s},
                       {u"attempt"_s, attempt},
                       {u"geometry"_s, m_separatorController->geometry()}};
    if (iconSafelyRightmost) {
        record.insert(u"iconSafelyRightmost"_s, *iconSafelyRightmost);
    }
    if (reason) {
        record.insert(u"reason"_s, *reason);
    }
    appendEvent(record);
}

QCoro::Task<> ClassicEngine::retryHiding() {
    assertMainThread();
    m_tuckRecovery.cancel();
    m_health.recoveryStopped();
    m_rehideTask.cancel();
    showEverythingAndMarkRevealed();
    appendRecoveryRecord(0, std::nullopt, u"asked for"_s);
    QPointer<ClassicEngine> self(this);
    co_await sleep(0.7);
    if (!self) {
        co_return;
    }
    (void)co_await seatMisplacedIcon();
    if (!self) {
        co_return;
    }
    co_await setHiddenRevealed(false, false, u"retry-hiding"_s, false);
}

} // namespace zorv
