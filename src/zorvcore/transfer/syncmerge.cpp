#include "syncmerge.h"

namespace zorv {

namespace {

template <typename T>
QList<T> mergeByID(const QList<T> &newer, const QList<T> &older, const QSet<QUuid> &deleted) {
    QSet<QUuid> newerIDs;
    QList<T> merged;
    for (const T &item : newer) {
        newerIDs.insert(item.id);
        if (!deleted.contains(item.id)) {
            merged.append(item);
        }
    }
    for (const T &item : older) {
        if (!newerIDs.contains(item.id) && !deleted.contains(item.id)) {
            merged.append(item);
        }
    }
    return merged;
}

} // namespace

SyncedBundle mergeSyncedBundles(const SyncedBundle &newer, const SyncedBundle &older) {
    SyncedBundle merged = newer;
    merged.format = SyncedBundle::kFormatTag.toString();
    merged.layout = SyncedBundle::mergeLayout(newer.layout, older.layout);
    merged.deleted = newer.deleted.united(older.deleted);
    merged.profiles.profiles =
        mergeByID(newer.profiles.profiles, older.profiles.profiles, merged.deleted.profiles);
    merged.triggers.rules =
        mergeByID(newer.triggers.rules, older.triggers.rules, merged.deleted.rules);
    return merged;
}

} // namespace zorv
