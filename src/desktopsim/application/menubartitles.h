#pragma once

#include <QFont>
#include <QStringList>

namespace zorv {

// An application's own menus as the menu bar lays them out: the Apple menu, the application
// menu's title in bold, then its other menus' titles, each title with room on either side, from a
// small margin at the screen's left edge.
class MenuBarTitles {
public:
    static constexpr double leftMargin = 6.0;
    static constexpr double appleMenuWidth = 38.0;
    // Room on either side of a title.
    static constexpr double padding = 10.0;

    // The bar's text, bold for the application menu's title.
    [[nodiscard]] static QFont font(bool bold);
    [[nodiscard]] static double titleWidth(const QString &title, bool bold);
    // How far the menus reach from the screen's left edge: the margin and the Apple menu alone
    // without titles.
    [[nodiscard]] static double menusWidth(const QStringList &titles);
};

} // namespace zorv
