#include "preferences/simapppreferences.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace zorv {

namespace {

const QString positionPrefix = AppPreferences::preferredPositionKey(QString());

// The remembered-positions key of this process's item with the autosave name the key names.
std::optional<QString> rememberKeyFor(const DesktopState &state, const QString &key) {
    if (!key.startsWith(positionPrefix)) {
        return std::nullopt;
    }
    const AppRecord *self = state.app(state.currentProcessId);
    const QString owner =
        self ? self->positionKey() : QStringLiteral("pid:%1").arg(state.currentProcessId);
    return DesktopState::rememberKey(owner, key.mid(positionPrefix.size()));
}

} // namespace

SimAppPreferences::SimAppPreferences(DesktopModel &model) : m_model(model) {}

QVariant SimAppPreferences::value(const QString &key) const {
    return m_model.read([&](const DesktopState &state) {
        const auto remembered = rememberKeyFor(state, key);
        if (!remembered) {
            return m_values.value(key);
        }
        const auto found = state.rememberedPositions.constFind(*remembered);
        return found == state.rememberedPositions.cend() ? QVariant() : QVariant(*found);
    });
}

void SimAppPreferences::setValue(const QString &key, const QVariant &value) {
    if (!key.startsWith(positionPrefix)) {
        if (value.isValid()) {
            m_values.insert(key, value);
        } else {
            m_values.remove(key);
        }
        return;
    }
    bool isNumber = false;
    const double distance = value.toDouble(&isNumber);
    const bool keep = value.isValid() && isNumber && std::isfinite(distance);
    m_model.write([&](DesktopState &state, ModelEffects &) {
        const QString remembered = *rememberKeyFor(state, key);
        if (keep) {
            state.rememberedPositions.insert(remembered, std::max(distance, 0.0));
        } else {
            state.rememberedPositions.remove(remembered);
        }
    });
}

} // namespace zorv
