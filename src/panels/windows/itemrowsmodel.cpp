#include "itemrowsmodel.h"

#include "items/itemdisplay.h"
#include "items/itempictures.h"
#include "modelsearch.h"
#include "search/stablekey.h"

namespace zorv {

namespace {

bool hasCapture(const MenuBarItem &item) {
    return item.capturedImage && !item.capturedImage->isNull();
}

// White on a dark plate, black on a light one.
QColor glyphOn(const QColor &plate) {
    return plate.lightnessF() < 0.5 ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace

ItemRowsModel::ItemRowsModel(ItemPictures *pictures, QObject *parent)
    : QAbstractListModel(parent), m_pictures(pictures) {}

int ItemRowsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QHash<int, QByteArray> ItemRowsModel::roleNames() const {
    return {
        {KeyRole, "key"},       {NameRole, "name"},         {AliasRole, "alias"},
        {NumberRole, "number"}, {SelectedRole, "selected"}, {PictureRole, "picture"},
        {PlateRole, "plate"},   {HasPlateRole, "hasPlate"},
    };
}

QVariant ItemRowsModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const int row = index.row();
    const Row &entry = m_rows.at(row);
    switch (role) {
    case KeyRole:
        return stableKey(entry.item.id);
    case NameRole:
        return ModelSearch::displayName(entry.item);
    case AliasRole:
        return entry.alias && !entry.alias->isEmpty() ? *entry.alias : QString();
    case NumberRole:
        return row < numberedRows ? row + 1 : 0;
    case SelectedRole:
        return row == m_selected;
    case PictureRole: {
        if (!m_pictures || !look(row).pictured) {
            return QUrl();
        }
        const QColor tint = hasCapture(entry.item) ? glyphOn(look(row).plate) : m_ink;
        return ItemPictures::source(stableKey(entry.item.id), tint);
    }
    case PlateRole:
        return look(row).plate;
    case HasPlateRole:
        return hasCapture(entry.item);
    default:
        return {};
    }
}

void ItemRowsModel::setRows(const QList<Row> &rows, const std::optional<QColor> &plate) {
    beginResetModel();
    m_rows = rows;
    m_sampled = plate;
    m_looks = QList<std::optional<Look>>(m_rows.size());
    if (m_selected >= int(m_rows.size())) {
        m_selected = -1;
    }
    endResetModel();
    Q_EMIT countChanged();
}

const ItemRowsModel::Look &ItemRowsModel::look(int row) const {
    std::optional<Look> &look = m_looks[row];
    if (!look) {
        const MenuBarItem &item = m_rows.at(row).item;
        const auto icon = ItemDisplay::menuIcon(item);
        look = Look{ItemDisplay::backdrop(item, m_sampled), icon.has_value()};
        if (m_pictures && icon) {
            m_pictures->set(stableKey(item.id), icon->image, icon->isTemplate);
        }
    }
    return *look;
}

void ItemRowsModel::setSelected(int row) {
    if (row == m_selected) {
        return;
    }
    const int old = std::exchange(m_selected, row);
    for (const int changed : {old, row}) {
        if (changed >= 0 && changed < rowCount()) {
            Q_EMIT dataChanged(index(changed), index(changed), {SelectedRole});
        }
    }
}

void ItemRowsModel::setInk(const QColor &ink) {
    if (ink == m_ink) {
        return;
    }
    m_ink = ink;
    Q_EMIT inkChanged();
    if (!m_rows.isEmpty()) {
        Q_EMIT dataChanged(index(0), index(rowCount() - 1), {PictureRole});
    }
}

} // namespace zorv
