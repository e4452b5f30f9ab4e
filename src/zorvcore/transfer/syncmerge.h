#pragma once

#include "syncedbundle.h"

#include <QJsonValue>
#include <QSet>
#include <QUuid>

namespace zorv {

// The profiles and rules a record held when this Mac last adopted or pushed it: what both sides
// are known to have shared. An item that only one side of a merge holds was created there when
// it is not among these, and deleted on the other side when it is.
struct SyncedIdentifiers {
    QSet<QUuid> profiles;
    QSet<QUuid> rules;

    [[nodiscard]] static SyncedIdentifiers of(const SyncedBundle &bundle);

    // {"profiles": [...], "rules": [...]}, each sorted so the same set always gives the same text.
    [[nodiscard]] QJsonValue toJson() const;
    [[nodiscard]] static SyncedIdentifiers fromJson(const JsonValueRef &value);

    friend bool operator==(const SyncedIdentifiers &, const SyncedIdentifiers &) = default;
};

// Merges two Macs' bundles without losing what either made: `newer` supplies the stamp, the
// device and the settings, the layouts are united (SyncedBundle::mergeLayout), and profiles and
// rules are merged by id. An id both hold takes the newer version; an id only one side holds is
// kept unless `shared` holds it (then the other side deleted it after both had it). The newer
// list's order leads, the older side's kept additions follow in their order. The active profile
// is the newer side's.
[[nodiscard]] SyncedBundle mergeSyncedBundles(const SyncedBundle &newer, const SyncedBundle &older,
                                              const SyncedIdentifiers &shared);

} // namespace zorv
