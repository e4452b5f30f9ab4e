#pragma once

#include "jsonreader.h"
#include "profiles/profileset.h"
#include "triggers/triggerset.h"

#include <QJsonValue>
#include <QSet>
#include <QUuid>

namespace zorv {

// A set of profile ids and rule ids: the profiles and rules a Mac has deleted, carried with its
// synced bundle so that another Mac can tell an item deleted there from one it never saw.
struct SyncedIdentifiers {
    QSet<QUuid> profiles;
    QSet<QUuid> rules;

    // The ids of the profiles and rules in the two sets.
    [[nodiscard]] static SyncedIdentifiers of(const ProfileSet &profiles,
                                              const TriggerSet &triggers);

    [[nodiscard]] bool isEmpty() const { return profiles.isEmpty() && rules.isEmpty(); }
    // The ids in this set and not in `other`.
    [[nodiscard]] SyncedIdentifiers without(const SyncedIdentifiers &other) const;
    [[nodiscard]] SyncedIdentifiers united(const SyncedIdentifiers &other) const;

    // {"profiles": [...], "rules": [...]}, each sorted, so the same set always gives the same
    // text; ids in upper case.
    [[nodiscard]] QJsonValue toJson() const;
    [[nodiscard]] static SyncedIdentifiers fromJson(const JsonValueRef &value);

    friend bool operator==(const SyncedIdentifiers &, const SyncedIdentifiers &) = default;
};

} // namespace zorv
