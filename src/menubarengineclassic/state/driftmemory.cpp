#include "driftmemory.h"

#include "distantpast.h"
#include "drift/driftrules.h"

namespace zorv {

DriftMemory::DriftMemory() : m_lastDriftReconcile(distantPast()) {}

bool DriftMemory::spacedOut(const QDateTime &now) const {
    return static_cast<double>(m_lastDriftReconcile.msecsTo(now)) / 1000.0 > runSpacingSeconds;
}

std::optional<QString> DriftMemory::sighted(const QSet<MenuBarItemID> &drifted,
                                            const QSet<MenuBarItemID> &unanswered) {
    // A hung application's items answer again where the bar put them meanwhile, often in their
    // lane: counting their stale places would start every drift over as each one answers.
    const QSet<MenuBarItemID> stale = unanswered + m_previousUnanswered;
    const QSet<MenuBarItemID> read = drifted - stale;
    const bool again =
        drifted == m_previousDrift || (!read.isEmpty() && read == m_previousDrift - stale);
    m_previousDrift = drifted;
    m_previousUnanswered = unanswered;
    return again ? std::optional(DriftRules::driftSignature(drifted)) : std::nullopt;
}

bool DriftMemory::givenUp(const QString &signature, std::optional<double> menusRight) const {
    return m_fruitlessDrift.value(signature) >= fruitlessRuns &&
           m_menusRightAtLastRun.value(signature) == menusRight;
}

DriftMemory::Count DriftMemory::countFruitlessDrift(const QString &trigger, bool fruitful,
                                                    std::optional<double> menusRight) {
    if (!trigger.startsWith(triggerPrefix)) {
        return {};
    }
    const QString signature = trigger.mid(triggerPrefix.size());
    if (fruitful) {
        m_fruitlessDrift.remove(signature);
        m_menusRightAtLastRun.remove(signature);
        return {};
    }
    m_menusRightAtLastRun.insert(signature, menusRight);
    const int count = m_fruitlessDrift.value(signature) + 1;
    m_fruitlessDrift.insert(signature, count);
    return {count >= fruitlessRuns, count == fruitlessRuns};
}

} // namespace zorv
