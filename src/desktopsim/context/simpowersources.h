#pragma once

#include "powersources.h"

namespace zorv {

// The simulated Mac's power sources: one internal battery, full and on mains power, until a
// scenario or a test changes it. The script calls describe the battery as the system would;
// setDescriptions() hands over any list, for readers that must cope with odd values. Main thread.
class SimPowerSources final : public PowerSources {
public:
    SimPowerSources();

    [[nodiscard]] std::optional<QVariantList> descriptions() const override {
        return m_descriptions;
    }

    // The one battery at `percent` of its capacity (clamped to 0 to 100).
    void setBattery(int percent, bool charging, bool onBattery);
    // A Mac without a battery: the system lists no power source.
    void removeBattery();
    void setDescriptions(std::optional<QVariantList> descriptions);

private:
    std::optional<QVariantList> m_descriptions;
};

} // namespace zorv
