#pragma once

#include <QRectF>
#include <QString>

#include <optional>

namespace zorv {

// One status item of another application as a scan found it, with the ordinal that keeps its
// identity stable from scan to scan.
struct DiscoveredItem {
    // "pid:<process id>" for an application without one.
    QString bundleID;
    // The bundle identifier above when the application has no name.
    QString appName;
    qint32 pid = 0;
    // Present only when non-empty and unique among its application's items in this scan.
    std::optional<QString> axIdentifier;
    std::optional<QString> title;
    // Global points, origin at the top left of the primary display, y downwards.
    QRectF frame;
    int ordinal = 0;

    friend bool operator==(const DiscoveredItem &, const DiscoveredItem &) = default;
};

} // namespace zorv
