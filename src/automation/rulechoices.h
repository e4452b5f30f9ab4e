#pragma once

#include "menubaritem.h"

#include <QImage>
#include <QList>
#include <QString>

#include <optional>

namespace zorv {

class WifiClient;
class Workspace;
struct RunningApplication;

// The choices the rule builder offers, computed afresh at each call: the Wi-Fi networks (the
// current one first), the open applications (plus one chosen earlier that is not running), and
// the menu-bar items a rule may move or open (those the user arranges). Names sort
// case-insensitively in the user's locale; equal names keep their order.
class RuleChoices {
public:
    RuleChoices() = delete;

    struct Network {
        QString name;
        // The name, marked " (connected)" for the current network.
        QString label;

        friend bool operator==(const Network &, const Network &) = default;
    };
    struct App {
        QString bundleID;
        QString name;
        // 16 points square, null without one.
        QImage icon;

        friend bool operator==(const App &a, const App &b) { return a.bundleID == b.bundleID; }
    };

    [[nodiscard]] static QList<Network> networks(const WifiClient &wifi,
                                                 const std::optional<QString> &current);
    // `chosen`: the builder's application, listed even when it is not running.
    [[nodiscard]] static QList<App> apps(const Workspace &workspace, const QString &chosen);
    // The running application's icon, else the installed application's; null without either.
    [[nodiscard]] static QImage appIcon(const Workspace &workspace, const QString &bundleID,
                                        const RunningApplication *running);
    [[nodiscard]] static QList<MenuBarItem> items(const QList<MenuBarItem> &items);
    // The item's title, else its application's name.
    [[nodiscard]] static QString itemName(const MenuBarItem &item);

    // The icon's size in points; pictures are twice that in pixels.
    static constexpr int iconPoints = 16;
};

} // namespace zorv
