#include "hidinghealth.h"

#include "distantpast.h"

#include <algorithm>
#include <cmath>

namespace zorv {

HidingHealth::HidingHealth()
    : m_lastRetuck(distantPast()), m_lastDisplayChange(distantPast()),
      m_watchdogStandDownUntil(distantPast()) {}

std::optional<HidingBlockedReason> HidingHealth::hidingBlocked(const QDateTime &now,
                                                               bool permissionMissing) const {
    if (permissionMissing) {
        return std::nullopt;
    }
    if (m_hidingRefused) {
        return HidingBlockedReason::iconMisseated;
    }
    if (m_nothingHiddenSince && static_cast<double>(m_nothingHiddenSince->msecsTo(now)) / 1000.0 >
                                    nothingHiddenGraceSeconds) {
        return HidingBlockedReason::displayNotHiding;
    }
    return std::nullopt;
}

std::optional<std::optional<HidingBlockedReason>>
HidingHealth::publication(const QDateTime &now, bool permissionMissing) {
    const std::optional<HidingBlockedReason> reason = hidingBlocked(now, permissionMissing);
    if (m_lastPublishedBlock && *m_lastPublishedBlock == reason) {
        return std::nullopt;
    }
    m_lastPublishedBlock = reason;
    return reason;
}

void HidingHealth::tuckTook() {
    m_hidingRefused = false;
    m_selfHealAttempts = 0;
}

bool HidingHealth::takeSelfHealAttempt(bool afterChange) {
    if (afterChange) {
        m_selfHealAttempts = 0;
    }
    if (m_selfHealAttempts >= selfHealLimit) {
        return false;
    }
    ++m_selfHealAttempts;
    return true;
}

std::optional<int> HidingHealth::beginRecovery() {
    // One loop serves a whole run of refusals.
    if (m_tuckRecoveryRunning) {
        return std::nullopt;
    }
    m_tuckRecoveryRunning = true;
    return ++m_recoveryGeneration;
}

bool HidingHealth::endRecovery(int generation) {
    if (generation != m_recoveryGeneration) {
        return false;
    }
    m_tuckRecoveryRunning = false;
    return true;
}

double HidingHealth::recoveryPause(int attempt) {
    return std::min(std::pow(2.0, std::min(attempt, 4)), 30.0);
}

QDateTime HidingHealth::nothingHidden(const QDateTime &now) {
    if (!m_nothingHiddenSince) {
        m_nothingHiddenSince = now;
    }
    return *m_nothingHiddenSince;
}

} // namespace zorv
