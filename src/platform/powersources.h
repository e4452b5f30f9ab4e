#pragma once

#include <QString>
#include <QVariantList>

#include <optional>

namespace zorv {

// The keys of a power source's description, as the system spells them.
namespace PowerSourceKey {
inline const QString currentCapacity = QStringLiteral("Current Capacity");
inline const QString maxCapacity = QStringLiteral("Max Capacity");
inline const QString powerSourceState = QStringLiteral("Power Source State");
inline const QString isCharging = QStringLiteral("Is Charging");
} // namespace PowerSourceKey

// The value of "Power Source State" while the machine runs from its battery.
inline const QString batteryPowerState = QStringLiteral("Battery Power");

// Stands in for the IOKit power-source information: the description of every power source, in
// the system's order. A description is normally a map from the PowerSourceKey texts to numbers,
// texts and flags, but callers must not rely on any entry or value having the expected type.
// Main thread.
class PowerSources {
public:
    virtual ~PowerSources() = default;

    // Absent when the system gives no power-source information at all.
    [[nodiscard]] virtual std::optional<QVariantList> descriptions() const = 0;
};

} // namespace zorv
