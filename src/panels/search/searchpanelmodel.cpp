#include "searchpanelmodel.h"

#include "appmodel.h"
#include "controls/mackeys.h"
#include "modelsearch.h"
#include "search/stablekey.h"
#include "settings/keyshortcut.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr quint64 commandBit = 0x100000;

} // namespace

SearchPanelModel::SearchPanelModel(AppModel &model, ItemPictures *pictures,
                                   std::function<std::optional<QColor>()> sampledBarColor,
                                   QObject *parent)
    : QObject(parent), m_model(&model), m_sampledBarColor(std::move(sampledBarColor)),
      m_rows(pictures) {
    connect(&model, &AppModel::itemsChanged, this, &SearchPanelModel::refreshRows);
    connect(&model, &AppModel::settingsChanged, this, &SearchPanelModel::refreshRows);
    refreshRows();
}

QList<MenuBarItem> SearchPanelModel::currentResults() const {
    return m_model ? m_model->search().searchResults(m_query) : QList<MenuBarItem>();
}

void SearchPanelModel::refreshRows() {
    QHash<QString, QString> aliases;
    if (m_model) {
        for (const ItemAlias &alias : m_model->settings().itemAliases) {
            if (!aliases.contains(alias.key)) {
                aliases.insert(alias.key, alias.alias);
            }
        }
    }
    QList<ItemRowsModel::Entry> rows;
    const QList<MenuBarItem> results = currentResults();
    rows.reserve(results.size());
    for (const MenuBarItem &item : results) {
        const auto alias = aliases.constFind(stableKey(item.id));
        rows.append({item, alias == aliases.cend() ? std::nullopt : std::optional(*alias)});
    }
    const std::optional<QColor> plate =
        m_sampledBarColor ? m_sampledBarColor() : std::optional<QColor>();
    m_rows.setEntries(rows, plate);
    m_rows.setSelected(m_selection);
    Q_EMIT rowsChanged();
}

void SearchPanelModel::setQuery(const QString &query) {
    if (query == m_query) {
        return;
    }
    m_query = query;
    Q_EMIT queryChanged();
    m_selection = 0;
    refreshRows();
    Q_EMIT selectionChanged();
}

QString SearchPanelModel::emptyText() const {
    if (m_query.isEmpty()) {
        return u"Type part of an item's name"_s;
    }
    return u"No items match “"_s + m_query + u"”"_s;
}

void SearchPanelModel::setSelection(int selection) {
    if (selection == m_selection) {
        return;
    }
    m_selection = selection;
    m_rows.setSelected(selection);
    Q_EMIT selectionChanged();
}

void SearchPanelModel::appeared() {
    if (m_model) {
        m_model->refresh();
    }
}

void SearchPanelModel::move(int delta) {
    const qsizetype count = currentResults().size();
    if (count == 0) {
        return;
    }
    setSelection(int(std::clamp<qsizetype>(qsizetype(m_selection) + delta, 0, count - 1)));
}

void SearchPanelModel::activateSelected() {
    const QList<MenuBarItem> results = currentResults();
    if (m_selection >= 0 && m_selection < results.size()) {
        onActivate(results.at(m_selection));
    }
}

void SearchPanelModel::activateRow(int row) {
    const QList<MenuBarItem> results = currentResults();
    if (row >= 0 && row < results.size()) {
        onActivate(results.at(row));
    }
}

bool SearchPanelModel::commandDigit(int key, int modifiers) {
    // Exactly Command: with Shift or Option as well the key is the field's.
    if (MacKeys::modifiers(Qt::KeyboardModifiers(modifiers)) != commandBit) {
        return false;
    }
    if (key < Qt::Key_0 || key > Qt::Key_9) {
        return false;
    }
    const int number = key - Qt::Key_0;
    if (number < 1 || number > ItemRowsModel::numberedRows) {
        return false;
    }
    const QList<MenuBarItem> results = currentResults();
    if (number > results.size()) {
        return false;
    }
    onActivate(results.at(number - 1));
    return true;
}

void SearchPanelModel::onEscape() {
    Q_EMIT finished();
}

void SearchPanelModel::onActivate(const MenuBarItem &item) {
    if (m_model) {
        m_model->activate(item.id, ClickKind::left);
    }
    Q_EMIT finished();
}

} // namespace zorv
