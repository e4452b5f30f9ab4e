#include "itemlistmodel.h"

#include "appmodel.h"
#include "changedrows.h"
#include "connections.h"
#include "items/itemdisplay.h"
#include "items/itempictures.h"
#include "kit/zorvkit.h"
#include "modelsearch.h"
#include "modelview.h"
#include "search/stablekey.h"
#include "shortcutvalue.h"

#include <QCryptographicHash>
#include <QQmlEngine>

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

// What a picture looks like, so that a key names one picture and a changed picture a new key.
QByteArray pictureDigest(const ItemDisplay::MenuIcon &icon) {
    const QImage image = icon.image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(
        QByteArrayView(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));
    hash.addData(QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height()) +
                 (icon.isTemplate ? "t" : "c"));
    return hash.result().toHex().left(16);
}

} // namespace

ItemListModel::ItemListModel(QObject *parent) : QAbstractListModel(parent) {}

ItemListModel::~ItemListModel() {
    dropPictures({});
}

int ItemListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant ItemListModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const Row &row = m_rows[index.row()];
    switch (role) {
    case KeyRole:
        return row.key;
    case SectionRole:
        return rawValue(row.section);
    case SectionTitleRole:
        return sectionTitle(row.section);
    case StartsSectionRole:
        return index.row() == 0 || m_rows[index.row() - 1].section != row.section;
    case Qt::DisplayRole:
    case NameRole:
        return row.name;
    case ApplicationRole:
        return row.application;
    case PictureRole:
        return row.pictureKey.isEmpty() ? QUrl()
                                        : ItemPictures::source(row.pictureKey, m_pictureTint);
    case DormantRole:
        return row.dormant;
    case NotchObscuredRole:
        return row.notchObscured;
    case UnmovableRole:
        return row.unmovable;
    case AliasRole:
        return row.alias;
    case HotKeyRole:
        return shortcutValue(row.hotKey);
    case HotKeyDisplayRole:
        return row.hotKey ? row.hotKey->display() : QString();
    default:
        return {};
    }
}

QHash<int, QByteArray> ItemListModel::roleNames() const {
    return {{KeyRole, "key"},
            {SectionRole, "section"},
            {SectionTitleRole, "sectionTitle"},
            {StartsSectionRole, "startsSection"},
            {NameRole, "name"},
            {ApplicationRole, "application"},
            {PictureRole, "picture"},
            {DormantRole, "dormant"},
            {NotchObscuredRole, "notchObscured"},
            {UnmovableRole, "unmovable"},
            {AliasRole, "alias"},
            {HotKeyRole, "hotKey"},
            {HotKeyDisplayRole, "hotKeyDisplay"}};
}

void ItemListModel::classBegin() {
    m_complete = false;
}

void ItemListModel::componentComplete() {
    m_complete = true;
    refresh();
}

void ItemListModel::setView(ModelView *view) {
    if (view == m_view) {
        return;
    }
    disconnectAll(m_connections);
    m_view = view;
    if (view) {
        AppModel *model = &view->model();
        for (const auto signal :
             {&AppModel::itemsChanged, &AppModel::layoutOrderChanged, &AppModel::settingsChanged}) {
            m_connections.append(connect(model, signal, this, &ItemListModel::refresh));
        }
        // The view goes first when both go together.
        m_connections.append(connect(view, &QObject::destroyed, this, [this] { refresh(); }));
    }
    Q_EMIT viewChanged();
    refresh();
}

QString ItemListModel::section() const {
    return m_section ? rawValue(*m_section) : QString();
}

void ItemListModel::setSection(const QString &text) {
    std::optional<Section> section;
    if (!text.isEmpty()) {
        section = sectionFromRawValue(text);
        if (!section) {
            qWarning("Zorv: an item list refused the unknown section \"%s\"", qPrintable(text));
            Q_EMIT sectionChanged();
            return;
        }
    }
    if (section == m_section) {
        return;
    }
    m_section = section;
    Q_EMIT sectionChanged();
    refresh();
}

void ItemListModel::setSearching(bool searching) {
    if (searching == m_searching) {
        return;
    }
    m_searching = searching;
    Q_EMIT searchingChanged();
    refresh();
}

void ItemListModel::setQuery(const QString &query) {
    if (query == m_query) {
        return;
    }
    m_query = query;
    Q_EMIT queryChanged();
    if (m_searching) {
        refresh();
    }
}

void ItemListModel::setPictureTint(const QColor &tint) {
    if (tint == m_pictureTint) {
        return;
    }
    m_pictureTint = tint;
    Q_EMIT pictureTintChanged();
    if (!m_rows.isEmpty()) {
        Q_EMIT dataChanged(index(0), index(int(m_rows.size()) - 1), {PictureRole});
    }
}

std::optional<MenuBarItem> ItemListModel::item(int row) const {
    if (row < 0 || row >= m_items.size()) {
        return std::nullopt;
    }
    return m_items[row];
}

QList<MenuBarItem> ItemListModel::wantedItems() const {
    if (!m_view) {
        return {};
    }
    AppModel &model = m_view->model();
    if (m_searching) {
        return model.search().searchResults(m_query);
    }
    QList<MenuBarItem> items;
    for (const Section section : allSections) {
        if (!m_section || *m_section == section) {
            items.append(model.itemsIn(section));
        }
    }
    return items;
}

ZorvKit *ItemListModel::findKit() const {
    if (m_view && m_view->kit()) {
        return m_view->kit();
    }
    if (ZorvKit *kit = ZorvKit::of(qmlEngine(this))) {
        return kit;
    }
    return m_view ? ZorvKit::of(qmlEngine(m_view)) : nullptr;
}

QString ItemListModel::publishPicture(ZorvKit *kit, const MenuBarItem &item) {
    if (!kit) {
        return {};
    }
    const std::optional<ItemDisplay::MenuIcon> icon = ItemDisplay::menuIcon(item);
    if (!icon || icon->image.isNull()) {
        return {};
    }
    // The list's own keys: another list's rows never drop this one's pictures.
    const QString key = u"%1/%2/%3"_s.arg(quintptr(this), 0, 16)
                            .arg(stableKey(item.id), QString::fromLatin1(pictureDigest(*icon)));
    if (!m_pictureKeys.contains(key)) {
        kit->itemPictures().set(key, icon->image, icon->isTemplate);
        m_pictureKeys.insert(key);
    }
    return key;
}

void ItemListModel::dropPictures(const QSet<QString> &keep) {
    for (auto it = m_pictureKeys.begin(); it != m_pictureKeys.end();) {
        if (keep.contains(*it)) {
            ++it;
            continue;
        }
        if (m_kit) {
            m_kit->itemPictures().remove(*it);
        }
        it = m_pictureKeys.erase(it);
    }
}

void ItemListModel::refresh() {
    if (!m_complete) {
        return;
    }
    ZorvKit *kit = findKit();
    if (kit != m_kit) {
        dropPictures({});
        m_kit = kit;
    }
    const QList<MenuBarItem> items = wantedItems();
    const Settings *settings = m_view ? &m_view->model().settings() : nullptr;
    QList<Row> rows;
    QSet<QString> pictureKeys;
    for (const MenuBarItem &item : items) {
        const QString key = stableKey(item.id);
        Row row{key,
                item.section,
                ModelSearch::displayName(item),
                item.appName,
                publishPicture(kit, item),
                item.isDormant,
                item.isNotchObscured,
                item.isUnmovable,
                settings ? settings->alias(key).value_or(QString()) : QString(),
                settings ? settings->itemHotkey(key) : std::nullopt};
        pictureKeys.insert(row.pictureKey);
        rows.append(std::move(row));
    }
    if (rows.size() != m_rows.size()) {
        beginResetModel();
        m_rows = rows;
        m_items = items;
        endResetModel();
        Q_EMIT countChanged();
    } else if (const auto changed = changedRows(m_rows, rows)) {
        m_rows = rows;
        m_items = items;
        // The row after a changed one may start or stop starting its section.
        const auto [first, last] = *changed;
        Q_EMIT dataChanged(index(int(first)), index(int(std::min(last + 1, rows.size() - 1))));
    } else {
        m_items = items;
    }
    dropPictures(pictureKeys);
}

bool ItemListModel::setAlias(int row, const QString &alias) {
    const std::optional<MenuBarItem> target = item(row);
    if (!target || !m_view) {
        return false;
    }
    m_view->model().search().setAlias(alias, *target);
    return true;
}

bool ItemListModel::setHotKey(int row, const QVariant &shortcut) {
    const std::optional<MenuBarItem> target = item(row);
    const std::optional<std::optional<KeyShortcut>> wanted = shortcutFromValue(shortcut);
    if (!target || !wanted || !m_view) {
        return false;
    }
    m_view->model().search().setItemHotkey(*wanted, *target);
    return true;
}

bool ItemListModel::activate(int row, bool secondary) {
    const std::optional<MenuBarItem> target = item(row);
    if (!target || !m_view) {
        return false;
    }
    m_view->model().activate(target->id, secondary ? ClickKind::right : ClickKind::left);
    return true;
}

bool ItemListModel::move(const QString &key, const QString &sectionText, const QString &beforeKey) {
    const std::optional<Section> section = sectionFromRawValue(sectionText);
    if (!m_view || !section) {
        return false;
    }
    AppModel &model = m_view->model();
    const auto find = [&model](const QString &wanted) -> std::optional<MenuBarItemID> {
        for (const MenuBarItem &item : model.items()) {
            if (stableKey(item.id) == wanted) {
                return item.id;
            }
        }
        return std::nullopt;
    };
    const std::optional<MenuBarItemID> id = find(key);
    if (!id) {
        return false;
    }
    model.move(*id, *section, beforeKey.isEmpty() ? std::nullopt : find(beforeKey));
    return true;
}

} // namespace zorv
