#pragma once

#include <QtGlobal>

#include <optional>

namespace zorv {

class PowerSources;

// What the rules see of the power supply: the battery's charge in percent (0 to 100, absent
// without a usable battery reading), whether it is charging and whether the Mac runs from it.
struct PowerReading {
    std::optional<qint64> percent;
    bool charging = false;
    bool onBattery = false;

    friend bool operator==(const PowerReading &, const PowerReading &) = default;
};

// Reads the first power source that has a description; every value of another type than
// expected counts as missing, and a Mac without a battery reads as absent, false, false.
[[nodiscard]] PowerReading readPower(const PowerSources &sources);

} // namespace zorv
