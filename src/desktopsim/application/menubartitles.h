#pragma once

#include <QFont>
#include <QList>
#include <QStringList>

#include <optional>
#include <utility>

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

    // Where the bar puts the menus on a screen, as x ranges from its left edge: the Apple menu,
    // then each title (the application menu's first), as many as end by `menusRight`. A title
    // that would reach under the camera housing (`housing`, the x range under it) continues
    // right of it.
    using Span = std::pair<double, double>;
    [[nodiscard]] static QList<Span> spans(const QStringList &titles, double menusRight,
                                           const std::optional<Span> &housing);
};

} // namespace zorv
