#include "searchpanemodel.h"

#include "aliassuggestion.h"
#include "appmodel.h"
#include "controls/shortcutrecordermodel.h"
#include "items/itemdisplay.h"
#include "modelsearch.h"
#include "modelview.h"
#include "search/stablekey.h"
#include "settingspane.h"

#include <QVariantMap>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QList<RowListModel<SearchPaneRow>::Role> roles() {
    return {
        {"key", [](const SearchPaneRow &row) { return QVariant(row.key); }},
        {"name", [](const SearchPaneRow &row) { return QVariant(row.name); }},
        {"alias", [](const SearchPaneRow &row) { return QVariant(row.alias); }},
        {"prompt", [](const SearchPaneRow &row) { return QVariant(row.prompt); }},
        {"hotkey",
         [](const SearchPaneRow &row) { return ShortcutRecorderModel::toValue(row.hotkey); }},
        {"picture", [](const SearchPaneRow &row) { return QVariant(row.picture); }},
    };
}

} // namespace

SearchPaneModel::SearchPaneModel(QObject *parent)
    : RowListModel<SearchPaneRow>(
          roles(), [](const SearchPaneRow &row) { return row.key; }, parent) {}

SearchPaneModel::~SearchPaneModel() = default;

void SearchPaneModel::setView(ModelView *view) {
    if (view == m_view) {
        return;
    }
    if (m_model) {
        disconnect(m_model, nullptr, this, nullptr);
    }
    m_view = view;
    m_model = view ? &view->model() : nullptr;
    m_kit = view ? view->kit() : nullptr;
    // Pictures published to another view's kit go with it.
    m_pictures = std::make_unique<PublishedPictures>(
        this, m_kit ? &m_kit->itemPictures() : nullptr);
    if (m_model) {
        connect(m_model, &AppModel::itemsChanged, this, &SearchPaneModel::rebuild);
        connect(m_model, &AppModel::settingsChanged, this, &SearchPaneModel::settingsEdited);
        connect(m_model, &AppModel::lastSavedAtChanged, this, &SearchPaneModel::savedAtChanged);
    }
    Q_EMIT viewChanged();
    rebuild();
    Q_EMIT settingsChanged();
    Q_EMIT savedAtChanged();
}

void SearchPaneModel::rebuild() {
    m_items.clear();
    QList<AliasSuggestion::Entry> entries;
    if (m_model) {
        for (const MenuBarItem &item : m_model->items()) {
            if (!item.isDormant) {
                m_items.append(item);
                entries.append({item, ModelSearch::displayName(item)});
            }
        }
    }
    const QHash<QString, QString> suggestions = AliasSuggestion::unique(entries);
    QList<SearchPaneRow> rows;
    rows.reserve(m_items.size());
    for (const MenuBarItem &item : std::as_const(m_items)) {
        const QString key = stableKey(item.id);
        const std::optional<ItemDisplay::MenuIcon> icon = ItemDisplay::menuIcon(item);
        rows.append({key, ModelSearch::displayName(item),
                     m_model->search().alias(item).value_or(QString()),
                     suggestions.value(key, u"e.g. cal"_s), m_model->search().itemHotkey(item),
                     // ZorvRow draws no icon for an empty address.
                     icon && m_pictures
                         ? m_pictures->publish(key, icon->image,
                                               icon->isTemplate ? std::optional(m_ink)
                                                                : std::nullopt)
                         : QUrl()});
    }
    setRows(rows);
    if (m_pictures) {
        m_pictures->dropUnpublished();
    }
}

void SearchPaneModel::settingsEdited() {
    Q_EMIT settingsChanged();
    rebuild();
}

QVariant SearchPaneModel::searchShortcut() const {
    return m_model ? ShortcutRecorderModel::toValue(m_model->settings().searchShortcut)
                   : QVariant();
}

QVariant SearchPaneModel::savedAt() const {
    if (!m_model || !m_model->lastSavedAt()) {
        return QVariant();
    }
    return *m_model->lastSavedAt();
}

int SearchPaneModel::paneIndex() {
    const qsizetype at = allSettingsPanes().indexOf(SettingsPane::search);
    return int(at < 0 ? 0 : at) + 1;
}

int SearchPaneModel::paneCount() {
    return int(allSettingsPanes().size());
}

void SearchPaneModel::setInk(const QColor &ink) {
    if (ink == m_ink) {
        return;
    }
    m_ink = ink;
    Q_EMIT inkChanged();
    rebuild();
}

void SearchPaneModel::appeared() {
    if (m_model) {
        m_model->refresh();
    }
}

void SearchPaneModel::setAlias(int row, const QString &text) {
    if (!m_model || row < 0 || row >= m_items.size()) {
        return;
    }
    m_model->search().setAlias(text, m_items.at(row));
}

void SearchPaneModel::setHotkey(int row, const QVariant &shortcut) {
    if (!m_model || row < 0 || row >= m_items.size()) {
        return;
    }
    m_model->search().setItemHotkey(shortcutFrom(shortcut), m_items.at(row));
}

void SearchPaneModel::setSearchShortcut(const QVariant &shortcut) {
    if (m_model) {
        m_model->setSearchShortcut(shortcutFrom(shortcut));
    }
}

std::optional<KeyShortcut> SearchPaneModel::shortcutFrom(const QVariant &value) {
    const QVariantMap map = value.toMap();
    bool codeOk = false;
    bool modifiersOk = false;
    const int code = map.value(u"keyCode"_s).toInt(&codeOk);
    const double modifiers = map.value(u"modifiers"_s).toDouble(&modifiersOk);
    if (!codeOk || !modifiersOk || code < 0 || code > 0xFFFF || !std::isfinite(modifiers) ||
        modifiers < 0 || modifiers > 9007199254740992.0 || std::floor(modifiers) != modifiers) {
        return std::nullopt;
    }
    return KeyShortcut(quint16(code), quint64(modifiers));
}

} // namespace zorv
