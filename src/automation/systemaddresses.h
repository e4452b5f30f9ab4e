#pragma once

#include <QString>

namespace zorv {

// The System Settings pages the automation front end sends the user to.
namespace SystemAddress {
inline const QString notificationSettings =
    QStringLiteral("x-apple.systempreferences:com.apple.preference.notifications");
inline const QString locationSettings = QStringLiteral(
    "x-apple.systempreferences:com.apple.preference.security?Privacy_LocationServices");
} // namespace SystemAddress

} // namespace zorv
