#pragma once

#include "profiles/profile.h"
#include "sectionlayout.h"
#include "settings/appearance.h"
#include "settings/keyshortcut.h"

#include <QString>
#include <QUuid>

#include <optional>

namespace zorv {

class AppModel;

// Named profiles (a layout with an optional look and shortcut) and the menu-bar look. An unknown
// profile id makes an operation do nothing, except a deletion, which still saves. Owned by the
// model; main thread.
class ModelProfiles {
public:
    explicit ModelProfiles(AppModel &model);

    // The bar as it is meant to look now: each section's items in the wanted order.
    [[nodiscard]] SectionLayout currentLayout() const;

    // Appends a profile of the current layout and look; it becomes active when none is.
    void saveProfileFromCurrent(const QString &name);
    // Makes the profile active, applies its look (when it keeps one) and hands its layout to
    // the engine.
    void switchToProfile(const QUuid &id);
    void renameProfile(const QUuid &id, const QString &name);
    // Re-captures the layout, and the look when the profile keeps one.
    void updateProfileFromCurrent(const QUuid &id);
    void setProfileRemembersLook(bool remembers, const QUuid &id);
    // A shortcut belongs to one profile at most: it is taken from any other that has it.
    void setProfileShortcut(const std::optional<KeyShortcut> &shortcut, const QUuid &id);
    // Removes the profile; the first remaining one becomes active when it was the active one.
    void deleteProfile(const QUuid &id);

    // Stores, saves and draws the look.
    void setAppearance(const Appearance &appearance);
    // Draws the stored look again.
    void applyAppearance();

private:
    [[nodiscard]] std::optional<qsizetype> indexOf(const QUuid &id) const;

    AppModel &m_model;
};

} // namespace zorv
