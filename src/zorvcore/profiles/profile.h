#pragma once

#include "sectionlayout.h"
#include "settings/appearance.h"
#include "settings/keyshortcut.h"

#include <QJsonValue>
#include <QString>
#include <QUuid>

#include <optional>

namespace zorv {

// A named arrangement of the menu bar the user can switch to: a wanted layout, optionally the look
// that goes with it and a hot key that switches to it.
struct Profile {
    QUuid id;
    QString name;
    SectionLayout layout;
    // nullopt: switching to the profile leaves the current look alone.
    std::optional<Appearance> appearance;
    std::optional<KeyShortcut> shortcut;

    // The id is written in upper case; absent optionals are left out.
    [[nodiscard]] QJsonValue toJson() const;
    [[nodiscard]] static Profile fromJson(const JsonValueRef &value);

    friend bool operator==(const Profile &, const Profile &) = default;
};

} // namespace zorv
