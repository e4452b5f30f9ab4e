#include "driftmemory.h"

#include "distantpast.h"
#include "drift/driftrules.h"

namespace zorv {

DriftMemory::DriftMemory() : m_lastDriftReconcile(distantPast()) {}

bool DriftMemory::spacedOut(const QDateTime &now) const {
    return static_cast<double>(m_lastDriftReconcile.msecsTo(now)) / 1000.0 > runSpacingSeconds;
}

std::optional<QString> DriftMemory::sighted(const QSet<MenuBarItemID> &drifted,
                                            const QDateTime &now) {
    if (drifted != m_previousDrift) {
        m_previousDrift = drifted;
        return std::nullopt;
    }
    m_lastDriftReconcile = now;
    return DriftRules::driftSignature(drifted);
}

bool DriftMemory::givenUp(const QString &signature) const {
    return m_fruitlessDrift.value(signature) >= fruitlessRuns;
}

DriftMemory::Count DriftMemory::countFruitlessDrift(const QString &trigger, bool fruitful) {
    if (!trigger.startsWith(triggerPrefix)) {
        return {};
    }
    const QString signature = trigger.mid(triggerPrefix.size());
    if (fruitful) {
        m_fruitlessDrift.remove(signature);
        return {};
    }
    const int count = m_fruitlessDrift.value(signature) + 1;
    m_fruitlessDrift.insert(signature, count);
    return {count >= fruitlessRuns, count == fruitlessRuns};
}

} // namespace zorv
