#include "sectioneditemsmodel.h"

#include "changedrows.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QString sectionTitle(Section section) {
    switch (section) {
    case Section::shown:
        return u"Shown"_s;
    case Section::hidden:
        return u"Hidden"_s;
    case Section::alwaysHidden:
        return u"Always hidden"_s;
    }
    Q_UNREACHABLE();
    return {};
}

// The item's own name where it has one, else its application's.
QString itemName(const MenuBarItem &item) {
    if (item.id.title && !item.id.title->isEmpty()) {
        return *item.id.title;
    }
    if (item.id.axIdentifier && !item.id.axIdentifier->isEmpty()) {
        return *item.id.axIdentifier;
    }
    return item.appName;
}

} // namespace

SectionedItemsModel::SectionedItemsModel(QObject *parent) : QAbstractListModel(parent) {}

int SectionedItemsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant SectionedItemsModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const Row &row = m_rows[index.row()];
    switch (role) {
    case SectionRole:
        return rawValue(row.section);
    case SectionTitleRole:
        return sectionTitle(row.section);
    case StartsSectionRole:
        return index.row() == 0 || m_rows[index.row() - 1].section != row.section;
    case ApplicationRole:
        return row.application;
    case Qt::DisplayRole:
    case NameRole:
        return row.name;
    case DormantRole:
        return row.dormant;
    default:
        return {};
    }
}

QHash<int, QByteArray> SectionedItemsModel::roleNames() const {
    return {{SectionRole, "section"},
            {SectionTitleRole, "sectionTitle"},
            {StartsSectionRole, "startsSection"},
            {ApplicationRole, "application"},
            {NameRole, "name"},
            {DormantRole, "dormant"}};
}

void SectionedItemsModel::setSections(const QList<SectionItems> &sections) {
    QList<Row> rows;
    for (const SectionItems &section : sections) {
        for (const MenuBarItem &item : section.items) {
            rows.append({section.section, item.appName, itemName(item), item.isDormant});
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
    // The row after a changed one may start or stop starting its section.
    const auto [first, last] = *changed;
    Q_EMIT dataChanged(index(int(first)), index(int(std::min(last + 1, rows.size() - 1))));
}

} // namespace zorv
