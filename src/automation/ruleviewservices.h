#pragma once

#include "menubaritem.h"

#include <QImage>
#include <QString>
#include <QVariant>

#include <functional>

namespace zorv {

class ApplicationPanel;
class LocationGate;
class Screens;
class SystemNotifier;
class WifiClient;
class Workspace;

// What the rules pane and the rule builder read besides the app model: application names and
// icons, the remembered Wi-Fi networks, the two permission gates, and where the window shows
// pictures. Each service must outlive the views. Main thread.
struct RuleViewServices {
    // Where a view finds a picture: gives the source of `picture` stored under `key`, or null
    // when pictures are not shown.
    using AppPicture = std::function<QVariant(const QString &key, const QImage &picture)>;
    // The picture of a menu-bar item for a list row, or null.
    using ItemPicture = std::function<QVariant(const MenuBarItem &item)>;

    Workspace &workspace;
    WifiClient &wifi;
    LocationGate &location;
    SystemNotifier &notifier;
    // The "Other App…" panel; null when there is none.
    ApplicationPanel *applications = nullptr;
    // The screens the rule builder sheet keeps to; null for none.
    Screens *screens = nullptr;
    AppPicture appPicture = {};
    ItemPicture itemPicture = {};
};

} // namespace zorv
