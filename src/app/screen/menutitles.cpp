#include "menutitles.h"

using namespace Qt::StringLiterals;

namespace zorv {

const QStringList &MenuTitles::leadingMenus() {
    static const QStringList menus{u"File"_s, u"Edit"_s, u"View"_s};
    return menus;
}

const QStringList &MenuTitles::extraMenus() {
    static const QStringList menus{u"Go"_s, u"Format"_s, u"Tools"_s, u"Arrange"_s, u"Insert"_s};
    return menus;
}

const QStringList &MenuTitles::trailingMenus() {
    static const QStringList menus{u"Window"_s, u"Help"_s};
    return menus;
}

QList<MenuTitle> MenuTitles::layoutOwn(const QStringList &titles, double menusRight,
                                       double barHeight,
                                       const std::optional<std::pair<double, double>> &housing,
                                       std::optional<int> openTitle) {
    QList<MenuTitle> placed;
    const QList<MenuBarTitles::Span> spans = MenuBarTitles::spans(titles, menusRight, housing);
    for (qsizetype index = 0; index < spans.size(); ++index) {
        const auto [left, right] = spans[index];
        const MenuTitle::Kind kind = index == 0   ? MenuTitle::Kind::AppleMenu
                                     : index == 1 ? MenuTitle::Kind::ApplicationName
                                                  : MenuTitle::Kind::Menu;
        // The first span is the Apple menu's.
        placed.append({kind, index == 0 ? QString() : titles[index - 1],
                       QRectF(left, 0, right - left, barHeight), openTitle == index - 1});
    }
    return placed;
}

} // namespace zorv
