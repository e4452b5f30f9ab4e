#pragma once

#include "hidingblockedreason.h"

#include <QDateTime>

#include <optional>

namespace zorv {

// Whether hiding works and what is being done about it: a refused tuck, the self-heal runs it
// starts, the recovery loop's generation, since when nothing is hidden, the last corrective
// retuck and display change, the watchdog's stand-down, and the reason last published. Decides
// nothing on its own clock: every time comes in as an argument. Main thread only.
class HidingHealth {
public:
    // Longer than this with nothing hidden blocks hiding.
    static constexpr double nothingHiddenGraceSeconds = 30.0;
    // Self-heal runs for one state of the bar.
    static constexpr int selfHealLimit = 2;

    HidingHealth();

    // Why hiding is blocked now, if it is. None while the Accessibility permission is missing:
    // then the permission is what blocks hiding, and the user is shown that with the way to grant
    // it rather than a reason the engine cannot act on.
    [[nodiscard]] std::optional<HidingBlockedReason>
    hidingBlocked(const QDateTime &now, bool permissionMissing = false) const;
    // The reason to publish when it differs from the one last published (the first one always
    // does), remembering it as published.
    [[nodiscard]] std::optional<std::optional<HidingBlockedReason>>
    publication(const QDateTime &now, bool permissionMissing = false);

    [[nodiscard]] bool hidingRefused() const { return m_hidingRefused; }
    void tuckRefused() { m_hidingRefused = true; }
    // A tuck took: the refusal and the self-heal runs for it are over.
    void tuckTook();
    // A tuck that forced a reflow took, or everything is shown at once: no refusal stands.
    void refusalCleared() { m_hidingRefused = false; }

    // Whether another self-heal run may start, counting it; `afterChange` says what blocked the
    // last ones has changed.
    [[nodiscard]] bool takeSelfHealAttempt(bool afterChange);
    [[nodiscard]] int selfHealAttempts() const { return m_selfHealAttempts; }
    // What blocked the self-heal runs changed: two more may run.
    void selfHealAllowedAgain() { m_selfHealAttempts = 0; }

    // The generation of a recovery loop to start, or none while one runs.
    [[nodiscard]] std::optional<int> beginRecovery();
    // A recovery loop of `generation` ended: true when it was the current one, which then no
    // longer runs. A loop cancelled and replaced never ends its successor.
    [[nodiscard]] bool endRecovery(int generation);
    // The recovery loop was cancelled.
    void recoveryStopped() { m_tuckRecoveryRunning = false; }
    [[nodiscard]] bool tuckRecoveryRunning() const { return m_tuckRecoveryRunning; }
    // The pause after recovery attempt `attempt` (1-based): 2, 4, 8, 16, 16, ... seconds.
    [[nodiscard]] static double recoveryPause(int attempt);

    // A scan found nothing hidden: since when, starting now when it had not before.
    [[nodiscard]] QDateTime nothingHidden(const QDateTime &now);
    void somethingHidden() { m_nothingHiddenSince.reset(); }
    [[nodiscard]] const std::optional<QDateTime> &nothingHiddenSince() const {
        return m_nothingHiddenSince;
    }

    [[nodiscard]] const QDateTime &lastRetuck() const { return m_lastRetuck; }
    void retucked(const QDateTime &at) { m_lastRetuck = at; }
    [[nodiscard]] const QDateTime &lastDisplayChange() const { return m_lastDisplayChange; }
    void displayChanged(const QDateTime &at) { m_lastDisplayChange = at; }
    [[nodiscard]] const QDateTime &watchdogStandDownUntil() const {
        return m_watchdogStandDownUntil;
    }
    void standDownWatchdogUntil(const QDateTime &until) { m_watchdogStandDownUntil = until; }

private:
    bool m_hidingRefused = false;
    int m_selfHealAttempts = 0;
    bool m_tuckRecoveryRunning = false;
    int m_recoveryGeneration = 0;
    std::optional<QDateTime> m_nothingHiddenSince;
    QDateTime m_lastRetuck;
    QDateTime m_lastDisplayChange;
    QDateTime m_watchdogStandDownUntil;
    // Outer none until the first publication.
    std::optional<std::optional<HidingBlockedReason>> m_lastPublishedBlock;
};

} // namespace zorv
