#pragma once

#include <QString>

#include <optional>

namespace zorv {

// Stands in for where the system runs this application's bundle from, and the folders it knows
// for the current user. Paths are absolute. Main thread.
class BundleLocation {
public:
    virtual ~BundleLocation() = default;

    // The running bundle (Bundle.main.bundleURL); a translocated copy's path when the system
    // runs a downloaded bundle from a randomised read-only location.
    [[nodiscard]] virtual QString runningBundlePath() const = 0;
    // The real location of a translocated bundle; absent for any other path or when the system
    // cannot say.
    [[nodiscard]] virtual std::optional<QString>
    translocatedOriginal(const QString &path) const = 0;
    // The system-wide Applications folder ("/Applications").
    [[nodiscard]] virtual QString applicationsFolder() const = 0;
    // The current user's home folder.
    [[nodiscard]] virtual QString homeFolder() const = 0;
};

} // namespace zorv
