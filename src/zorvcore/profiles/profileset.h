#pragma once

#include "profile.h"

#include <QJsonValue>
#include <QList>
#include <QUuid>

#include <optional>

namespace zorv {

// All profiles in the user's order with the id of the active one. Ids are meant to be unique and
// the active id to name a listed profile, but a set that breaks either still loads and works.
struct ProfileSet {
    QList<Profile> profiles;
    std::optional<QUuid> activeID;

    // The first profile whose id is activeID; nullopt when none is active or none matches.
    [[nodiscard]] std::optional<Profile> active() const;

    [[nodiscard]] QJsonValue toJson() const;
    // A profile that fails to decode fails the whole set.
    [[nodiscard]] static ProfileSet fromJson(const JsonValueRef &value);

    friend bool operator==(const ProfileSet &, const ProfileSet &) = default;
};

} // namespace zorv
