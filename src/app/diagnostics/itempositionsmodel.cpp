#include "itempositionsmodel.h"

#include "changedrows.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

ItemPositionsModel::ItemPositionsModel(QObject *parent) : QAbstractListModel(parent) {}

int ItemPositionsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant ItemPositionsModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const Row &row = m_rows[index.row()];
    const BarEntry &entry = row.entry;
    switch (role) {
    case ScreenRole:
        return row.screen;
    case StartsScreenRole:
        return index.row() == 0 || m_rows[index.row() - 1].screen != row.screen;
    case ApplicationRole:
        return entry.applicationName.value_or(
            entry.bundleIdentifier.value_or(u"pid %1"_s.arg(entry.processId)));
    case BundleIdRole:
        return entry.bundleIdentifier.value_or(QString());
    case Qt::DisplayRole:
    case NameRole:
        return entry.title.isEmpty() ? entry.autosaveName : entry.title;
    case XRole:
        return entry.frame.x();
    case WidthRole:
        return entry.frame.width();
    case VisibleRole:
        return entry.visible;
    case StateRole:
        return state(entry);
    case SectionRole:
        return row.section;
    default:
        return {};
    }
}

QHash<int, QByteArray> ItemPositionsModel::roleNames() const {
    return {{ScreenRole, "screenName"},
            {StartsScreenRole, "startsScreen"},
            {ApplicationRole, "application"},
            {BundleIdRole, "bundleId"},
            {NameRole, "name"},
            {XRole, "itemX"},
            {WidthRole, "itemWidth"},
            {VisibleRole, "shown"},
            {StateRole, "placement"},
            {SectionRole, "section"}};
}

void ItemPositionsModel::setScreens(const QList<ScreenSnapshot> &screens,
                                    const QHash<quint64, Section> &sections) {
    QList<Row> rows;
    for (const ScreenSnapshot &screen : screens) {
        const QString screenLabel =
            u"%1 (display %2)"_s.arg(screen.screen.name).arg(screen.screen.displayId);
        for (const BarEntry &entry : screen.entries) {
            const auto placed = sections.constFind(entry.itemId);
            rows.append({screenLabel, entry,
                         placed == sections.constEnd() ? QString() : rawValue(*placed)});
        }
    }
    if (rows.size() != m_rows.size()) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
        return;
    }
    const auto changed = changedRows(m_rows, rows);
    if (!changed) {
        return;
    }
    m_rows = rows;
    // The row after a changed one may start or stop starting its screen.
    const auto [first, last] = *changed;
    Q_EMIT dataChanged(index(int(first)), index(int(std::min(last + 1, rows.size() - 1))));
}

QString ItemPositionsModel::state(const BarEntry &entry) {
    if (entry.visible) {
        return u"shown"_s;
    }
    if (!entry.onScreen) {
        return u"off screen"_s;
    }
    if (entry.underHousing) {
        return u"under the camera housing"_s;
    }
    if (entry.underMenus) {
        return u"under the menus"_s;
    }
    return u"not drawn"_s;
}

} // namespace zorv
