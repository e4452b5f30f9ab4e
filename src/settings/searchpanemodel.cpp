#include "searchpanemodel.h"

#include "aliassuggestion.h"
#include "appmodel.h"
#include "controls/shortcutrecordermodel.h"
#include "items/itemdisplay.h"
#include "items/itempictures.h"
#include "modelsearch.h"
#include "modelview.h"
#include "search/stablekey.h"
#include "settingspane.h"

#include <QVariantMap>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

SearchPaneModel::SearchPaneModel(QObject *parent) : QAbstractListModel(parent) {}

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
    if (m_model) {
        connect(m_model, &AppModel::itemsChanged, this, &SearchPaneModel::rebuild);
        connect(m_model, &AppModel::settingsChanged, this, &SearchPaneModel::settingsEdited);
        connect(m_model, &AppModel::lastSavedAtChanged, this, &SearchPaneModel::savedAtChanged);
    }
    Q_EMIT viewChanged();
    rebuild();
    settingsEdited();
    Q_EMIT savedAtChanged();
}

int SearchPaneModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_items.size());
}

QHash<int, QByteArray> SearchPaneModel::roleNames() const {
    return {{KeyRole, "key"},       {NameRole, "name"},     {AliasRole, "alias"},
            {PromptRole, "prompt"}, {HotkeyRole, "hotkey"}, {PictureRole, "picture"}};
}

QVariant SearchPaneModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        !m_model) {
        return {};
    }
    const MenuBarItem &item = m_items.at(index.row());
    const QString key = stableKey(item.id);
    switch (role) {
    case KeyRole:
        return key;
    case NameRole:
        return ModelSearch::displayName(item);
    case AliasRole:
        return m_model->search().alias(item).value_or(QString());
    case PromptRole:
        return m_suggestions.value(key, u"e.g. cal"_s);
    case HotkeyRole: {
        return ShortcutRecorderModel::toValue(m_model->search().itemHotkey(item));
    }
    case PictureRole:
        // ZorvRow draws no icon for an empty address.
        if (!m_kit || !ItemDisplay::menuIcon(item)) {
            return QUrl();
        }
        return ItemPictures::source(key, m_ink);
    default:
        return {};
    }
}

void SearchPaneModel::rebuild() {
    beginResetModel();
    m_items.clear();
    QList<AliasSuggestion::Entry> entries;
    if (m_model) {
        for (const MenuBarItem &item : m_model->items()) {
            if (item.isDormant) {
                continue;
            }
            m_items.append(item);
            entries.append({item, ModelSearch::displayName(item)});
            if (!m_kit) {
                continue;
            }
            if (const auto icon = ItemDisplay::menuIcon(item)) {
                m_kit->itemPictures().set(stableKey(item.id), icon->image, icon->isTemplate);
            }
        }
    }
    m_suggestions = AliasSuggestion::unique(entries);
    endResetModel();
    Q_EMIT countChanged();
}

void SearchPaneModel::settingsEdited() {
    Q_EMIT settingsChanged();
    if (!m_items.isEmpty()) {
        Q_EMIT dataChanged(index(0), index(rowCount() - 1), {AliasRole, HotkeyRole});
    }
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
    if (!m_items.isEmpty()) {
        Q_EMIT dataChanged(index(0), index(rowCount() - 1), {PictureRole});
    }
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
