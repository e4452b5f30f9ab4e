#include "itemrowsmodel.h"

#include "items/publishedpictures.h"
#include "modelsearch.h"
#include "search/stablekey.h"

namespace zorv {

namespace {

QList<RowListModel<ItemRow>::Role> roles() {
    return {
        {"key", [](const ItemRow &row) { return QVariant(row.key); }},
        {"name", [](const ItemRow &row) { return QVariant(row.name); }},
        {"alias", [](const ItemRow &row) { return QVariant(row.alias); }},
        {"number", [](const ItemRow &row) { return QVariant(row.number); }},
        {"selected", [](const ItemRow &row) { return QVariant(row.selected); }},
        {"pictureKind", [](const ItemRow &row) { return QVariant(row.picture.kind); }},
        {"picture", [](const ItemRow &row) { return QVariant(row.picture.source); }},
        {"pictureSize", [](const ItemRow &row) { return QVariant(row.picture.size); }},
        {"symbol", [](const ItemRow &row) { return QVariant(row.picture.symbol); }},
        {"plate", [](const ItemRow &row) { return QVariant(row.picture.plate); }},
    };
}

} // namespace

ItemRowsModel::ItemRowsModel(ItemPictures *pictures, QObject *parent)
    : RowListModel<ItemRow>(
          roles(), [](const ItemRow &row) { return row.key; }, parent),
      m_pictures(std::make_unique<PublishedPictures>(this, pictures)) {}

ItemRowsModel::~ItemRowsModel() = default;

void ItemRowsModel::setEntries(const QList<Entry> &entries,
                               const std::optional<QColor> &sampledBarColor) {
    m_items.clear();
    m_rows.clear();
    for (const Entry &entry : entries) {
        const int row = int(m_rows.size());
        m_items.append(entry.item);
        m_rows.append({stableKey(entry.item.id), ModelSearch::displayName(entry.item),
                       entry.alias.value_or(QString()), row < numberedRows ? row + 1 : 0, false,
                       RowPicture::of(entry.item, sampledBarColor, *m_pictures)});
    }
    if (m_selected >= int(m_rows.size())) {
        m_selected = -1;
    }
    show();
    m_pictures->dropUnpublished();
}

std::optional<MenuBarItem> ItemRowsModel::itemAt(int row) const {
    if (row < 0 || row >= m_items.size()) {
        return std::nullopt;
    }
    return m_items.at(row);
}

void ItemRowsModel::setSelected(int row) {
    const int selected = row >= 0 && row < int(m_rows.size()) ? row : -1;
    if (selected != m_selected) {
        m_selected = selected;
        show();
    }
}

void ItemRowsModel::show() {
    QList<ItemRow> rows = m_rows;
    if (m_selected >= 0) {
        rows[m_selected].selected = true;
    }
    setRows(rows);
}

} // namespace zorv
