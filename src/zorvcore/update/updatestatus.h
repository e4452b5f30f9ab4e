#pragma once

#include "updateavailability.h"

#include <QDateTime>

#include <optional>

namespace zorv {

// Everything the menus and the updates card show about self-updating; written by the update
// driver, never stored.
struct UpdateStatus {
    UpdateAvailability availability;
    // A check is running.
    bool checking = false;
    // The last check could not reach the update server.
    bool failed = false;
    // When the last check finished.
    std::optional<QDateTime> lastChecked;
    // The update driver can start an update now.
    bool canUpdate = false;

    friend bool operator==(const UpdateStatus &, const UpdateStatus &) = default;
};

} // namespace zorv
