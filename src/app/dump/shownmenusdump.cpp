#include "shownmenusdump.h"

#include "menurowsmodel.h"
#include "notificationbanner.h"
#include "rectjson.h"
#include "simulateddesktop.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QJsonArray rowsJson(const Menu &menu, const QList<int> &shown, int highlighted) {
    QJsonArray rows;
    for (const int index : shown) {
        const MenuRow row = MenuRow::of(menu.items[index], index, index == highlighted);
        // A row drawn by its view may have no title of its own.
        rows.append(QJsonObject{{u"title"_s, row.title.isEmpty() ? row.accessibleLabel : row.title},
                                {u"keyEquivalent"_s, row.keyText},
                                {u"separator"_s, row.separator},
                                {u"enabled"_s, row.enabled},
                                {u"checked"_s, row.checked},
                                {u"submenu"_s, row.hasSubmenu},
                                {u"highlighted"_s, row.highlighted}});
    }
    return rows;
}

// The title in the bar of the main menu's menu that is open; null for another menu.
QJsonValue barTitleJson(SimulatedDesktop &desktop) {
    const std::optional<BarMenuTitle> &open = desktop.menus().barTitle();
    const std::shared_ptr<const Menu> main = desktop.application().mainMenu();
    if (!open || !main) {
        return QJsonValue::Null;
    }
    // The bar's titles are the main menu's rows other than separators.
    int index = 0;
    for (const MenuItem &item : main->items) {
        if (!item.isSeparator() && index++ == open->index) {
            return item.title;
        }
    }
    return QJsonValue::Null;
}

} // namespace

QJsonArray ShownMenusDump::menus(SimulatedDesktop &desktop) {
    const SimMenus &menus = desktop.menus();
    const std::shared_ptr<const Menu> &menu = menus.openMenu();
    if (!menu) {
        return {};
    }
    QJsonArray open{
        QJsonObject{{u"barTitle"_s, barTitleJson(desktop)},
                    {u"frame"_s, rectJson(menus.frame())},
                    {u"optionHeld"_s, menus.optionHeld()},
                    {u"rows"_s, rowsJson(*menu, menus.shownRows(), menus.highlightedRow())}}};
    if (const std::shared_ptr<const Menu> submenu = menus.openSubmenu()) {
        open.append(QJsonObject{{u"of"_s, menu->items[menus.highlightedRow()].title},
                                {u"frame"_s, rectJson(menus.submenuFrame())},
                                {u"rows"_s, rowsJson(*submenu, menus.submenuShownRows(),
                                                     menus.submenuHighlightedRow())}});
    }
    return open;
}

QJsonValue ShownMenusDump::banner(const NotificationBanner *banner) {
    if (!banner || !banner->shown()) {
        return QJsonValue::Null;
    }
    return QJsonObject{{u"title"_s, banner->title()}, {u"body"_s, banner->body()}};
}

} // namespace zorv
