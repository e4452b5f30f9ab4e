#include "triggerengine.h"

#include <QSet>

#include <cmath>

namespace zorv {

namespace {

qint64 milliseconds(double seconds) {
    return std::llround(seconds * 1000);
}

// Keeps only the entries of rules that still exist, so deleted rules leave no memory behind.
template <typename Map> void keepOnly(Map &map, const QSet<QUuid> &ids) {
    map.removeIf([&ids](const auto &entry) { return !ids.contains(entry.key()); });
}

} // namespace

TriggerStep TriggerEngine::step(const QList<TriggerRule> &rules, const TriggerContext &context,
                                const QDateTime &now, const TriggerRuntime &runtime) {
    TriggerStep result;
    TriggerRuntime memory = runtime;
    QSet<QUuid> ids;

    for (const TriggerRule &rule : rules) {
        ids.insert(rule.id);
        const bool satisfied = rule.isEnabled && rule.condition.isSatisfied(context);
        const bool previous = memory.lastSatisfied.value(rule.id, false);
        memory.lastSatisfied.insert(rule.id, satisfied);

        // Times later than `now` stay: only changes at least a window old drop out.
        QList<QDateTime> recent = memory.flips.value(rule.id);
        recent.removeIf([&now](const QDateTime &flip) {
            return flip.msecsTo(now) >= milliseconds(flapWindow);
        });
        if (satisfied != previous) {
            recent.append(now);
            if (recent.size() > flapLimit) {
                const QDateTime until = memory.suspendedUntil.value(rule.id);
                // A change during a running suspension neither extends it nor reports it again.
                if (!until.isValid() || until <= now) {
                    memory.suspendedUntil.insert(rule.id, now.addMSecs(milliseconds(flapCooldown)));
                    result.newlySuspended.append(rule.id);
                }
            }
        }
        memory.flips.insert(rule.id, recent);

        const QDateTime until = memory.suspendedUntil.value(rule.id);
        if (until.isValid() && until > now) {
            result.suspended.insert(rule.id);
            continue;
        }
        if (!satisfied) {
            continue;
        }
        if (rule.action.isDeclarative()) {
            result.activeOverrides.append(rule);
        } else if (!previous) {
            result.oneShots.append(rule.action);
        }
    }

    keepOnly(memory.lastSatisfied, ids);
    keepOnly(memory.flips, ids);
    keepOnly(memory.suspendedUntil, ids);
    result.runtime = std::move(memory);
    return result;
}

} // namespace zorv
