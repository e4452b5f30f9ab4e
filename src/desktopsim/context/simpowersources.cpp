#include "context/simpowersources.h"

#include <QVariantMap>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

SimPowerSources::SimPowerSources() {
    setBattery(100, false, false);
}

void SimPowerSources::setBattery(int percent, bool charging, bool onBattery) {
    QVariantMap battery;
    battery.insert(PowerSourceKey::currentCapacity, std::clamp(percent, 0, 100));
    battery.insert(PowerSourceKey::maxCapacity, 100);
    battery.insert(PowerSourceKey::powerSourceState, onBattery ? batteryPowerState : u"AC Power"_s);
    battery.insert(PowerSourceKey::isCharging, charging);
    battery.insert(u"Type"_s, u"InternalBattery"_s);
    m_descriptions = QVariantList{battery};
}

void SimPowerSources::removeBattery() {
    m_descriptions = QVariantList{};
}

void SimPowerSources::setDescriptions(std::optional<QVariantList> descriptions) {
    m_descriptions = std::move(descriptions);
}

} // namespace zorv
