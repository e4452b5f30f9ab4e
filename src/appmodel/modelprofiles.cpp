#include "modelprofiles.h"

#include "appmodel.h"
#include "shell/appearanceoverlaycontroller.h"

#include <QPointer>

namespace zorv {
namespace {

QCoro::Task<> applyProfileLayout(QPointer<AppModel> model, SectionLayout layout) {
    if (!model) {
        co_return;
    }
    try {
        co_await model->engine().apply(std::move(layout));
    } catch (const EngineFailure &) {
        // The profile is active and saved either way; the bar catches up at the next apply.
    }
}

} // namespace

ModelProfiles::ModelProfiles(AppModel &model) : m_model(model) {}

std::optional<qsizetype> ModelProfiles::indexOf(const QUuid &id) const {
    const QList<Profile> &profiles = m_model.profiles().profiles;
    for (qsizetype index = 0; index < profiles.size(); ++index) {
        if (profiles[index].id == id) {
            return index;
        }
    }
    return std::nullopt;
}

SectionLayout ModelProfiles::currentLayout() const {
    SectionLayout layout;
    for (const Section section : allSections) {
        QList<MenuBarItemID> ids;
        for (const MenuBarItem &item : m_model.itemsIn(section)) {
            ids.append(item.id);
        }
        layout.sections.insert(section, ids);
    }
    // In the form every kept layout has (the system's pinned items, which no layout holds, left
    // out), so that the profile in memory is the one the next launch reads from its file.
    return layout.normalized();
}

void ModelProfiles::saveProfileFromCurrent(const QString &name) {
    const Profile profile{QUuid::createUuid(), name, currentLayout(), m_model.settings().appearance,
                          std::nullopt};
    ProfileSet profiles = m_model.profiles();
    profiles.profiles.append(profile);
    if (!profiles.activeID) {
        profiles.activeID = profile.id;
    }
    m_model.setProfiles(profiles);
    m_model.persistProfiles();
}

void ModelProfiles::switchToProfile(const QUuid &id) {
    const auto index = indexOf(id);
    if (!index) {
        return;
    }
    const Profile profile = m_model.profiles().profiles.at(*index);
    ProfileSet profiles = m_model.profiles();
    profiles.activeID = id;
    m_model.setProfiles(profiles);
    m_model.persistProfiles();
    if (profile.appearance && *profile.appearance != m_model.settings().appearance) {
        setAppearance(*profile.appearance);
    }
    applyProfileLayout(QPointer<AppModel>(&m_model), profile.layout);
}

void ModelProfiles::renameProfile(const QUuid &id, const QString &name) {
    const auto index = indexOf(id);
    if (!index) {
        return;
    }
    ProfileSet profiles = m_model.profiles();
    profiles.profiles[*index].name = name;
    m_model.setProfiles(profiles);
    m_model.persistProfiles();
}

void ModelProfiles::updateProfileFromCurrent(const QUuid &id) {
    const auto index = indexOf(id);
    if (!index) {
        return;
    }
    ProfileSet profiles = m_model.profiles();
    Profile &profile = profiles.profiles[*index];
    profile.layout = currentLayout();
    if (profile.appearance) {
        profile.appearance = m_model.settings().appearance;
    }
    m_model.setProfiles(profiles);
    m_model.persistProfiles();
}

void ModelProfiles::setProfileRemembersLook(bool remembers, const QUuid &id) {
    const auto index = indexOf(id);
    if (!index) {
        return;
    }
    ProfileSet profiles = m_model.profiles();
    profiles.profiles[*index].appearance =
        remembers ? std::optional<Appearance>(m_model.settings().appearance) : std::nullopt;
    m_model.setProfiles(profiles);
    m_model.persistProfiles();
}

void ModelProfiles::setProfileShortcut(const std::optional<KeyShortcut> &shortcut,
                                       const QUuid &id) {
    const auto index = indexOf(id);
    if (!index) {
        return;
    }
    ProfileSet profiles = m_model.profiles();
    if (shortcut) {
        for (qsizetype other = 0; other < profiles.profiles.size(); ++other) {
            if (other != *index && profiles.profiles[other].shortcut == shortcut) {
                profiles.profiles[other].shortcut.reset();
            }
        }
    }
    profiles.profiles[*index].shortcut = shortcut;
    m_model.setProfiles(profiles);
    m_model.persistProfiles();
    m_model.notifyShortcutsChanged();
}

void ModelProfiles::deleteProfile(const QUuid &id) {
    ProfileSet profiles = m_model.profiles();
    bool removedShortcut = false;
    profiles.profiles.removeIf([&](const Profile &profile) {
        if (profile.id != id) {
            return false;
        }
        removedShortcut = removedShortcut || profile.shortcut.has_value();
        return true;
    });
    if (profiles.activeID == id) {
        profiles.activeID = profiles.profiles.isEmpty()
                                ? std::nullopt
                                : std::optional<QUuid>(profiles.profiles.first().id);
    }
    m_model.setProfiles(profiles);
    m_model.persistProfiles();
    // The shell registers one global hot key per profile shortcut; without this the deleted
    // profile's key combination would stay captured.
    if (removedShortcut) {
        m_model.notifyShortcutsChanged();
    }
}

void ModelProfiles::setAppearance(const Appearance &appearance) {
    m_model.editSettings([&](Settings &settings) { settings.appearance = appearance; });
    m_model.persistSettings();
    applyAppearance();
}

void ModelProfiles::applyAppearance() {
    m_model.appearanceOverlay().apply(m_model.settings().appearance);
}

} // namespace zorv
