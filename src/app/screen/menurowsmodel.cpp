#include "menurowsmodel.h"

#include "menus/menukeys.h"
#include "menus/simmenus.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QList<RowListModel<MenuRow>::Role> roles() {
    return {
        {"title", [](const MenuRow &row) { return QVariant(row.title); }},
        {"subtitle", [](const MenuRow &row) { return QVariant(row.subtitle); }},
        {"symbol", [](const MenuRow &row) { return QVariant(row.symbol); }},
        {"keyText", [](const MenuRow &row) { return QVariant(row.keyText); }},
        {"separator", [](const MenuRow &row) { return QVariant(row.separator); }},
        {"enabled", [](const MenuRow &row) { return QVariant(row.enabled); }},
        {"checked", [](const MenuRow &row) { return QVariant(row.checked); }},
        {"highlighted", [](const MenuRow &row) { return QVariant(row.highlighted); }},
        {"hasSubmenu", [](const MenuRow &row) { return QVariant(row.hasSubmenu); }},
        {"viewSource", [](const MenuRow &row) { return QVariant(row.viewSource); }},
        {"viewProperties", [](const MenuRow &row) { return QVariant(row.viewProperties); }},
        {"rowHeight", [](const MenuRow &row) { return QVariant(row.rowHeight); }},
        {"menuRow", [](const MenuRow &row) { return QVariant(row.menuRow); }},
        {"accessibleLabel", [](const MenuRow &row) { return QVariant(row.accessibleLabel); }},
    };
}

} // namespace

MenuRow MenuRow::of(const MenuItem &item, int menuRow, bool highlighted) {
    return {menuRow,
            item.title,
            item.subtitle,
            item.symbol,
            MenuRowsModel::keyText(item),
            item.isSeparator(),
            MenuKeys::isSelectable(item),
            item.state == MenuItemState::On,
            highlighted,
            item.submenu != nullptr,
            item.view ? item.view->source : QUrl(),
            item.view ? item.view->properties : QVariantMap(),
            SimMenus::heightOf(item),
            item.view && !item.view->accessibleLabel.isEmpty() ? item.view->accessibleLabel
                                                               : item.title};
}

MenuRowsModel::MenuRowsModel(QObject *parent)
    : RowListModel<MenuRow>(
          roles(), [](const MenuRow &row) { return QString::number(row.menuRow); }, parent) {}

void MenuRowsModel::setRows(std::shared_ptr<const Menu> menu, const QList<int> &shownRows,
                            int highlighted) {
    if (menu != m_menu) {
        // The same index in another menu is another row.
        RowListModel<MenuRow>::setRows({});
        m_menu = std::move(menu);
    }
    QList<MenuRow> rows;
    if (m_menu) {
        for (int menuRow : shownRows) {
            if (menuRow >= 0 && menuRow < m_menu->items.size()) {
                rows.append(MenuRow::of(m_menu->items[menuRow], menuRow, menuRow == highlighted));
            }
        }
    }
    RowListModel<MenuRow>::setRows(std::move(rows));
}

QString MenuRowsModel::keyText(const MenuItem &item) {
    if (item.keyEquivalent.isEmpty()) {
        return {};
    }
    QString text;
    const quint64 mask = item.keyEquivalentModifiers;
    text += (mask & EventFlags::control) ? u"⌃"_s : QString();
    text += (mask & EventFlags::option) ? u"⌥"_s : QString();
    text += (mask & EventFlags::shift) ? u"⇧"_s : QString();
    text += (mask & EventFlags::command) ? u"⌘"_s : QString();
    return text + item.keyEquivalent.toUpper();
}

} // namespace zorv
