#pragma once

#include <QString>

namespace zorv {

class BundleLocation;

// The one rule for "installed": a bundle path inside the system Applications folder or inside
// the Applications folder of the user's home. The move offer asks it of the untranslocated
// original, the update driver of the running bundle; so a copy the move put into
// "~/Applications" both counts as installed and can update itself.
class InstallLocation {
public:
    InstallLocation() = delete;

    [[nodiscard]] static bool isInApplicationsFolder(const QString &bundlePath,
                                                     const BundleLocation &location);
    // Where the bundle really lies: the original of a translocated bundle, else the path itself.
    [[nodiscard]] static QString untranslocated(const QString &bundlePath,
                                                const BundleLocation &location);
};

} // namespace zorv
