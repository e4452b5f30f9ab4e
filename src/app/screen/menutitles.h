#pragma once

#include "application/menubartitles.h"

#include <QList>
#include <QRectF>
#include <QString>

#include <optional>
#include <utility>

namespace zorv {

// The frontmost application's menus as the bar draws them: the Apple menu, the application's
// name in bold, then its menus' titles, from the bar's left edge to where its menus end. Most
// simulated applications say only how far their menus reach, so their titles are the common ones
// (File, Edit, View... Window, Help) for as many as fit; an application with a main menu of its
// own shows that menu's titles. A title that would reach under the camera housing continues right
// of it, as the real bar does.
struct MenuTitle {
    enum class Kind { AppleMenu, ApplicationName, Menu };

    Kind kind = Kind::Menu;
    QString text;
    // In points from the screen's top-left corner; as tall as the bar.
    QRectF rect;
    // Its menu is open: the bar draws the title highlighted.
    bool open = false;

    friend bool operator==(const MenuTitle &, const MenuTitle &) = default;
};

class MenuTitles {
public:
    // Room on either side of a title.
    static constexpr double padding = MenuBarTitles::padding;
    static constexpr double appleMenuWidth = MenuBarTitles::appleMenuWidth;
    // Where the titles start, from the screen's left edge.
    static constexpr double leftMargin = MenuBarTitles::leftMargin;

    // `menusRight`: where the menus end, from the screen's left edge (housing included, as
    // DisplayScene gives it); `housing`: the x range under the camera housing. `textWidth` gives
    // a title's width in points (bold for the application's name).
    template <typename TextWidth>
    [[nodiscard]] static QList<MenuTitle>
    layout(const QString &application, double menusRight, double barHeight,
           const std::optional<std::pair<double, double>> &housing, TextWidth textWidth) {
        // The most menus that fit, Window and Help last as applications keep them; when not
        // even those fit, as many of the first ones as do.
        QList<MenuTitle> titles;
        for (qsizetype extras = extraMenus().size(); extras >= 0; --extras) {
            QStringList menus = leadingMenus() + extraMenus().mid(0, extras) + trailingMenus();
            bool complete = true;
            titles =
                layoutOf(application, menus, menusRight, barHeight, housing, textWidth, complete);
            if (complete) {
                break;
            }
        }
        return titles;
    }

    // The titles of an application's own main menu (its application menu first), as many as
    // fit, where the simulated Mac places them for its clicks; `openTitle` is the index among
    // `titles` of the one whose menu is open.
    [[nodiscard]] static QList<MenuTitle>
    layoutOwn(const QStringList &titles, double menusRight, double barHeight,
              const std::optional<std::pair<double, double>> &housing,
              std::optional<int> openTitle = std::nullopt);

    [[nodiscard]] static const QStringList &leadingMenus();
    [[nodiscard]] static const QStringList &extraMenus();
    [[nodiscard]] static const QStringList &trailingMenus();

private:
    template <typename TextWidth>
    [[nodiscard]] static QList<MenuTitle>
    layoutOf(const QString &application, const QStringList &menus, double menusRight,
             double barHeight, const std::optional<std::pair<double, double>> &housing,
             TextWidth textWidth, bool &complete) {
        QList<MenuTitle> titles;
        double x = leftMargin;
        const auto place = [&](MenuTitle::Kind kind, const QString &text, double width) {
            if (housing && x + width > housing->first && x < housing->second) {
                x = housing->second;
            }
            // The menus' reach is in whole points.
            if (x + width > menusRight + 1e-6) {
                complete = false;
                return false;
            }
            titles.append({kind, text, QRectF(x, 0, width, barHeight)});
            x += width;
            return true;
        };
        if (!place(MenuTitle::Kind::AppleMenu, QString(), appleMenuWidth) ||
            application.isEmpty() ||
            !place(MenuTitle::Kind::ApplicationName, application,
                   textWidth(application, true) + 2 * padding)) {
            return titles;
        }
        for (const QString &menu : menus) {
            if (!place(MenuTitle::Kind::Menu, menu, textWidth(menu, false) + 2 * padding)) {
                break;
            }
        }
        return titles;
    }
};

} // namespace zorv
