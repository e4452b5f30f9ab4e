#include "menurowsmodel.h"

#include "menus/simmenus.h"

using namespace Qt::StringLiterals;

namespace zorv {

MenuRowsModel::MenuRowsModel(QObject *parent) : QAbstractListModel(parent) {}

void MenuRowsModel::setRows(std::shared_ptr<const Menu> menu, const QList<int> &shownRows,
                            int highlighted) {
    if (menu == m_menu && shownRows == m_rows) {
        if (highlighted != m_highlighted) {
            const int before = int(m_rows.indexOf(m_highlighted));
            const int after = int(m_rows.indexOf(highlighted));
            m_highlighted = highlighted;
            for (int row : {before, after}) {
                if (row >= 0) {
                    Q_EMIT dataChanged(index(row), index(row), {HighlightedRole});
                }
            }
        }
        return;
    }
    beginResetModel();
    m_menu = std::move(menu);
    m_rows = m_menu ? shownRows : QList<int>{};
    m_highlighted = highlighted;
    endResetModel();
}

int MenuRowsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
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

QVariant MenuRowsModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        !m_menu) {
        return {};
    }
    const int menuRow = m_rows[index.row()];
    const MenuItem &item = m_menu->items[menuRow];
    switch (role) {
    case TitleRole:
        return item.title;
    case SubtitleRole:
        return item.subtitle;
    case SymbolRole:
        return item.symbol;
    case KeyTextRole:
        return keyText(item);
    case SeparatorRole:
        return item.isSeparator();
    case EnabledRole:
        return item.enabled && (item.hasAction() || item.submenu || item.view);
    case CheckedRole:
        return item.state == MenuItemState::On;
    case HighlightedRole:
        return menuRow == m_highlighted;
    case HasSubmenuRole:
        return item.submenu != nullptr;
    case ViewSourceRole:
        return item.view ? item.view->source : QUrl();
    case ViewPropertiesRole:
        return item.view ? item.view->properties : QVariantMap();
    case RowHeightRole:
        return SimMenus::heightOf(item);
    case MenuRowRole:
        return menuRow;
    case AccessibleLabelRole:
        return item.view && !item.view->accessibleLabel.isEmpty() ? item.view->accessibleLabel
                                                                  : item.title;
    default:
        return {};
    }
}

QHash<int, QByteArray> MenuRowsModel::roleNames() const {
    return {{TitleRole, "title"},
            {SubtitleRole, "subtitle"},
            {SymbolRole, "symbol"},
            {KeyTextRole, "keyText"},
            {SeparatorRole, "separator"},
            {EnabledRole, "enabled"},
            {CheckedRole, "checked"},
            {HighlightedRole, "highlighted"},
            {HasSubmenuRole, "hasSubmenu"},
            {ViewSourceRole, "viewSource"},
            {ViewPropertiesRole, "viewProperties"},
            {RowHeightRole, "rowHeight"},
            {MenuRowRole, "menuRow"},
            {AccessibleLabelRole, "accessibleLabel"}};
}

} // namespace zorv
