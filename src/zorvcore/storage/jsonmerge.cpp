#include "jsonmerge.h"

#include <QJsonObject>

namespace zorv {

QJsonValue deepMerge(const QJsonValue &base, const QJsonValue &override) {
    if (!base.isObject() || !override.isObject()) {
        return override;
    }
    QJsonObject merged = base.toObject();
    const QJsonObject overriding = override.toObject();
    for (auto it = overriding.constBegin(); it != overriding.constEnd(); ++it) {
        const auto existing = merged.constFind(it.key());
        merged.insert(it.key(), existing == merged.constEnd()
                                    ? it.value()
                                    : deepMerge(existing.value(), it.value()));
    }
    return merged;
}

} // namespace zorv
