#pragma once

#include <QJsonArray>
#include <QJsonValue>

namespace zorv {

class NotificationBanner;
class SimulatedDesktop;

// What the simulated Mac shows over the desktop, for the dump: the open menu and its open
// submenu, each with its frame (top-left convention), the bar title it hangs from (a menu of the
// main menu) or the row it belongs to (a submenu), and its rows as shown (with Option held, the
// alternates), each with its title, key equivalent, whether it can be chosen, is checked, is a
// separator, opens a submenu and is highlighted; and the notification banner shown.
class ShownMenusDump {
public:
    // Empty while no menu is open.
    [[nodiscard]] static QJsonArray menus(SimulatedDesktop &desktop);
    // {title, body} of the banner shown, null while none is.
    [[nodiscard]] static QJsonValue banner(const NotificationBanner *banner);
};

} // namespace zorv
