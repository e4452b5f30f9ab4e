#include "itempositionsmodel.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QList<RowListModel<ItemPosition>::Role> roles() {
    return {
        {"screenName", [](const ItemPosition &row) { return QVariant(row.screen); }},
        {"startsScreen", [](const ItemPosition &row) { return QVariant(row.startsScreen); }},
        {"application",
         [](const ItemPosition &row) {
             const BarEntry &entry = row.entry;
             return QVariant(entry.applicationName.value_or(
                 entry.bundleIdentifier.value_or(u"pid %1"_s.arg(entry.processId))));
         }},
        {"bundleId",
         [](const ItemPosition &row) {
             return QVariant(row.entry.bundleIdentifier.value_or(QString()));
         }},
        {"name",
         [](const ItemPosition &row) {
             return QVariant(row.entry.title.isEmpty() ? row.entry.autosaveName : row.entry.title);
         }},
        {"itemX", [](const ItemPosition &row) { return QVariant(row.entry.frame.x()); }},
        {"itemWidth", [](const ItemPosition &row) { return QVariant(row.entry.frame.width()); }},
        {"shown", [](const ItemPosition &row) { return QVariant(row.entry.visible); }},
        {"placement",
         [](const ItemPosition &row) { return QVariant(ItemPositionsModel::state(row.entry)); }},
        {"section", [](const ItemPosition &row) { return QVariant(row.section); }},
    };
}

// An item is the same row while it stays on the same screen.
QString keyOf(const ItemPosition &row) {
    return u"%1/%2"_s.arg(row.displayId).arg(row.entry.itemId);
}

} // namespace

ItemPositionsModel::ItemPositionsModel(QObject *parent)
    : RowListModel<ItemPosition>(roles(), keyOf, parent) {}

void ItemPositionsModel::setScreens(const QList<ScreenSnapshot> &screens,
                                    const QHash<quint64, Section> &sections) {
    QList<ItemPosition> rows;
    for (const ScreenSnapshot &screen : screens) {
        const QString screenLabel =
            u"%1 (display %2)"_s.arg(screen.screen.name).arg(screen.screen.displayId);
        bool first = true;
        for (const BarEntry &entry : screen.entries) {
            const auto placed = sections.constFind(entry.itemId);
            rows.append({screenLabel, screen.screen.displayId, first, entry,
                         placed == sections.constEnd() ? QString() : rawValue(*placed)});
            first = false;
        }
    }
    setRows(std::move(rows));
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
