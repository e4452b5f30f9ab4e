#include "profilelistmodel.h"

#include "appmodel.h"
#include "modelprofiles.h"
#include "shortcutvalue.h"

using namespace Qt::StringLiterals;

namespace zorv {

QString idText(const QUuid &id) {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

QString ProfileRow::summary() const {
    QString line =
        u"%1 shown · %2 hidden · %3 always hidden"_s.arg(shown).arg(hidden).arg(alwaysHidden);
    if (remembersLook) {
        line += u" · keeps its look"_s;
    }
    return line;
}

QString ProfileRow::lookAction() const {
    return remembersLook ? u"Stop Remembering the Look"_s : u"Remember This Look Too"_s;
}

ProfileRow ProfileRow::of(const Profile &profile, bool active) {
    return {profile.id,
            profile.name,
            active,
            profile.appearance.has_value(),
            profile.shortcut,
            int(profile.layout.ids(Section::shown).size()),
            int(profile.layout.ids(Section::hidden).size()),
            int(profile.layout.ids(Section::alwaysHidden).size())};
}

ProfileListModel::ProfileListModel(AppModel &model, QObject *parent)
    : RowListModel<ProfileRow>(
          {
              {"id", [](const ProfileRow &row) { return QVariant(idText(row.id)); }},
              {"name", [](const ProfileRow &row) { return QVariant(row.name); }},
              {"active", [](const ProfileRow &row) { return QVariant(row.active); }},
              {"remembersLook", [](const ProfileRow &row) { return QVariant(row.remembersLook); }},
              {"shortcut", [](const ProfileRow &row) { return shortcutValue(row.shortcut); }},
              {"shortcutDisplay",
               [](const ProfileRow &row) {
                   return QVariant(row.shortcut ? row.shortcut->display() : QString());
               }},
              {"summary", [](const ProfileRow &row) { return QVariant(row.summary()); }},
              {"lookAction", [](const ProfileRow &row) { return QVariant(row.lookAction()); }},
          },
          parent),
      m_model(model) {
    connect(&model, &AppModel::profilesChanged, this, &ProfileListModel::refresh);
    refresh();
}

void ProfileListModel::refresh() {
    const ProfileSet &set = m_model.profiles();
    // Only the first profile with the active id counts as active, as ProfileSet::active() says.
    bool activeSeen = false;
    QList<ProfileRow> rows;
    for (const Profile &profile : set.profiles) {
        const bool active = !activeSeen && set.activeID == profile.id;
        activeSeen = activeSeen || active;
        rows.append(ProfileRow::of(profile, active));
    }
    setRows(std::move(rows));
}

std::optional<QUuid> ProfileListModel::known(const QString &text) const {
    const QUuid id = QUuid::fromString(text);
    if (id.isNull()) {
        return std::nullopt;
    }
    for (const ProfileRow &row : rows()) {
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
