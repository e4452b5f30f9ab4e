#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace zorv {

// Whether an application shows in the Dock and owns menus (regular), only shows windows and
// status items (accessory), or neither (prohibited).
enum class ActivationPolicy { Regular, Accessory, Prohibited };

// One running application (NSRunningApplication) as the workspace reports it.
struct RunningApplication {
    qint32 processId = 0;
    // Helper tools and scripts can lack either.
    std::optional<QString> bundleIdentifier;
    std::optional<QString> localizedName;
    // The application bundle's path on disk, when known.
    std::optional<QString> bundlePath;
    ActivationPolicy activationPolicy = ActivationPolicy::Regular;
    // A null image when the application has no icon.
    QImage icon;

    friend bool operator==(const RunningApplication &, const RunningApplication &) = default;
};

} // namespace zorv
