#include "spacingcontroller.h"

#include <QMetaType>
#include <QVariant>

#include <cmath>
#include <limits>

namespace zorv {

namespace {

// 2^63: the first double beyond qint64.
constexpr double kInt64Bound = 9223372036854775808.0;

std::optional<qint64> integerPart(const QVariant &value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::UShort:
        return value.toLongLong();
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong number = value.toULongLong();
        if (number > static_cast<qulonglong>(std::numeric_limits<qint64>::max())) {
            return std::nullopt;
        }
        return static_cast<qint64>(number);
    }
    case QMetaType::Float:
    case QMetaType::Double: {
        const double number = std::trunc(value.toDouble());
        if (!std::isfinite(number) || number < -kInt64Bound || number >= kInt64Bound) {
            return std::nullopt;
        }
        return static_cast<qint64>(number);
    }
    default:
        // Booleans, strings and everything else are not numbers here.
        return std::nullopt;
    }
}

} // namespace

SpacingController::SpacingController(GlobalPreferences &preferences) : m_preferences(preferences) {}

std::optional<qint64> SpacingController::currentSpacing() const {
    return integerValue(spacingKey);
}

std::optional<qint64> SpacingController::currentPadding() const {
    return integerValue(paddingKey);
}

void SpacingController::setSpacing(std::optional<qint64> spacing) {
    for (const QString &key : {spacingKey, paddingKey}) {
        if (spacing) {
            m_preferences.setValue(key, QVariant::fromValue(*spacing));
        } else {
            m_preferences.removeValue(key);
        }
        m_preferences.synchronize();
    }
}

bool SpacingController::isOverridden() const {
    return currentSpacing().has_value() || currentPadding().has_value();
}

bool SpacingController::needsLogout(std::optional<qint64> written,
                                    std::optional<qint64> appliedAtLogin) {
    return written != appliedAtLogin;
}

std::optional<qint64> SpacingController::integerValue(const QString &key) const {
    return integerPart(m_preferences.value(key));
}

} // namespace zorv
