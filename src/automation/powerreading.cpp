#include "powerreading.h"

#include "powersources.h"

#include <QVariantMap>

#include <cmath>

namespace zorv {
namespace {

// An integer value of the description; missing for anything else (texts, flags, fractions).
std::optional<qint64> integerOf(const QVariantMap &description, const QString &key) {
    const auto found = description.find(key);
    if (found == description.end()) {
        return std::nullopt;
    }
    switch (found->typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
        return found->toLongLong();
    default:
        return std::nullopt;
    }
}

std::optional<qint64> percentOf(const QVariantMap &description) {
    const auto current = integerOf(description, PowerSourceKey::currentCapacity);
    const auto maximum = integerOf(description, PowerSourceKey::maxCapacity);
    if (!current || !maximum || *maximum < 1) {
        return std::nullopt;
    }
    // std::round takes halves away from zero. A battery can report more than its maximum (or a
    // negative charge) for a moment; the percentage stays within 0 to 100 all the same.
    const double percent =
        std::round(static_cast<double>(*current) / static_cast<double>(*maximum) * 100.0);
    return static_cast<qint64>(std::clamp(percent, 0.0, 100.0));
}

} // namespace

PowerReading readPower(const PowerSources &sources) {
    const std::optional<QVariantList> descriptions = sources.descriptions();
    if (!descriptions) {
        return {};
    }
    for (const QVariant &entry : *descriptions) {
        if (entry.typeId() != QMetaType::QVariantMap) {
            continue;
        }
        const QVariantMap description = entry.toMap();
        PowerReading reading;
        reading.percent = percentOf(description);
        const auto charging = description.find(PowerSourceKey::isCharging);
        reading.charging = charging != description.end() && charging->typeId() == QMetaType::Bool &&
                           charging->toBool();
        const auto state = description.find(PowerSourceKey::powerSourceState);
        reading.onBattery = state != description.end() && state->typeId() == QMetaType::QString &&
                            state->toString() == batteryPowerState;
        return reading;
    }
    return {};
}

} // namespace zorv
