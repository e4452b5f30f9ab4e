#pragma once

#include <QString>

namespace zorv {

class SystemFacts;

// What the running bundle says about itself: its identifier, marketing version, build number and
// the name it shows, each with the fall-back the application uses when the bundle lacks it.
struct BundleFacts {
    // A bundle without an identifier.
    static inline const QString unknownIdentifier = QStringLiteral("app.zorv.Zorv");

    QString identifier;
    // "CFBundleShortVersionString", or "0".
    QString version;
    // "CFBundleVersion", or "0".
    QString build;
    // "CFBundleDisplayName", else "CFBundleName", else "This app".
    QString displayName;

    [[nodiscard]] static BundleFacts read(const SystemFacts &facts);

    friend bool operator==(const BundleFacts &, const BundleFacts &) = default;
};

} // namespace zorv
