#pragma once

#include <QSet>
#include <QString>

#include <optional>

namespace zorv {

// A snapshot of the Mac's observed state that rule conditions are tested against. The automation
// front end builds a fresh one on every change and compares it with the previous one.
struct TriggerContext {
    // Absent when the machine gives no battery reading.
    std::optional<qint64> batteryPercent;
    bool isCharging = false;
    bool isOnBattery = false;
    std::optional<QString> currentSSID;
    QSet<QString> runningBundleIDs;
    std::optional<QString> frontmostBundleID;
    bool focusActive = false;

    friend bool operator==(const TriggerContext &, const TriggerContext &) = default;
};

} // namespace zorv
