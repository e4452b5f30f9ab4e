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

} // namespace zorv
