#include "profilelistmodel.h"

#include "appmodel.h"
#include "changedrows.h"
#include "modelprofiles.h"
#include "shortcutvalue.h"

namespace zorv {

QString idText(const QUuid &id) {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

ProfileListModel::ProfileListModel(AppModel &model, QObject *parent)
    : QAbstractListModel(parent), m_model(model) {
    connect(&model, &AppModel::profilesChanged, this, &ProfileListModel::refresh);
    refresh();
}

int ProfileListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant ProfileListModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const Row &row = m_rows[index.row()];
    switch (role) {
    case IdRole:
        return idText(row.id);
    case Qt::DisplayRole:
    case NameRole:
        return row.name;
    case ActiveRole:
        return row.active;
    case RemembersLookRole:
        return row.remembersLook;
    case ShortcutRole:
        return shortcutValue(row.shortcut);
    case ShortcutDisplayRole:
        return row.shortcut ? row.shortcut->display() : QString();
    default:
        return {};
    }
}

QHash<int, QByteArray> ProfileListModel::roleNames() const {
    return {{IdRole, "id"},
            {NameRole, "name"},
            {ActiveRole, "active"},
            {RemembersLookRole, "remembersLook"},
            {ShortcutRole, "shortcut"},
            {ShortcutDisplayRole, "shortcutDisplay"}};
}

void ProfileListModel::refresh() {
    const ProfileSet &set = m_model.profiles();
    // Only the first profile with the active id counts as active, as ProfileSet::active() says.
    bool activeSeen = false;
    QList<Row> rows;
    for (const Profile &profile : set.profiles) {
        const bool active = !activeSeen && set.activeID == profile.id;
        activeSeen = activeSeen || active;
        rows.append(
            {profile.id, profile.name, active, profile.appearance.has_value(), profile.shortcut});
    }
    if (rows.size() != m_rows.size()) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
        Q_EMIT countChanged();
    } else if (const auto changed = changedRows(m_rows, rows)) {
        m_rows = rows;
        Q_EMIT dataChanged(index(int(changed->first)), index(int(changed->second)));
    }
}

std::optional<QUuid> ProfileListModel::known(const QString &text) const {
    const QUuid id = QUuid::fromString(text);
    if (id.isNull()) {
        return std::nullopt;
    }
    for (const Row &row : m_rows) {
        if (row.id == id) {
            return id;
        }
    }
    return std::nullopt;
}

void ProfileListModel::saveCurrent(const QString &name) {
    m_model.profileOps().saveProfileFromCurrent(name);
}

bool ProfileListModel::switchTo(const QString &text) {
    const std::optional<QUuid> id = known(text);
    if (id) {
        m_model.profileOps().switchToProfile(*id);
    }
    return id.has_value();
}

bool ProfileListModel::rename(const QString &text, const QString &name) {
    const std::optional<QUuid> id = known(text);
    if (id) {
        m_model.profileOps().renameProfile(*id, name);
    }
    return id.has_value();
}

bool ProfileListModel::updateFromCurrent(const QString &text) {
    const std::optional<QUuid> id = known(text);
    if (id) {
        m_model.profileOps().updateProfileFromCurrent(*id);
    }
    return id.has_value();
}

bool ProfileListModel::setRemembersLook(const QString &text, bool remembers) {
    const std::optional<QUuid> id = known(text);
    if (id) {
        m_model.profileOps().setProfileRemembersLook(remembers, *id);
    }
    return id.has_value();
}

bool ProfileListModel::setShortcut(const QString &text, const QVariant &shortcut) {
    const std::optional<QUuid> id = known(text);
    const std::optional<std::optional<KeyShortcut>> wanted = shortcutFromValue(shortcut);
    if (!id || !wanted) {
        return false;
    }
    m_model.profileOps().setProfileShortcut(*wanted, *id);
    return true;
}

bool ProfileListModel::remove(const QString &text) {
    const std::optional<QUuid> id = known(text);
    if (id) {
        m_model.profileOps().deleteProfile(*id);
    }
    return id.has_value();
}

} // namespace zorv
