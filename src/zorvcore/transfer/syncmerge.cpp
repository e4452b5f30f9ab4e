// How two Macs' bundles become one (SyncedBundle::merging and mergeLayout).
#include "syncedbundle.h"

#include <QSet>

namespace zorv {

namespace {

// Whether the older side's part, changed at `olderAt`, wins over the newer side's, changed at
// `newerAt`: only when it changed later.
bool olderWins(const QDateTime &newerAt, const QDateTime &olderAt) {
    return olderAt > newerAt;
}

// By id: an item both sides hold comes from the side that changed it last; an item only one side
// holds was made there and is kept. Ids either side deleted are left out. The newer list's order
// leads, the older side's own items follow in their order. `dates` receives each kept item's date.
template <typename T>
QList<T> mergeByID(const QList<T> &newer, const QHash<QUuid, QDateTime> &newerDates,
                   const QList<T> &older, const QHash<QUuid, QDateTime> &olderDates,
                   const QSet<QUuid> &deleted, QHash<QUuid, QDateTime> &dates) {
    QHash<QUuid, const T *> olderByID;
    for (const T &item : older) {
        olderByID.insert(item.id, &item);
    }
    QSet<QUuid> newerIDs;
    QList<T> merged;
    for (const T &item : newer) {
        newerIDs.insert(item.id);
        if (deleted.contains(item.id)) {
            continue;
        }
        const T *olderItem = olderByID.value(item.id);
        const QDateTime newerAt = newerDates.value(item.id);
        if (olderItem && olderWins(newerAt, olderDates.value(item.id))) {
            merged.append(*olderItem);
            dates.insert(item.id, olderDates.value(item.id));
        } else {
            merged.append(item);
            dates.insert(item.id, newerAt);
        }
    }
    for (const T &item : older) {
        if (!newerIDs.contains(item.id) && !deleted.contains(item.id)) {
            merged.append(item);
            dates.insert(item.id, olderDates.value(item.id));
        }
    }
    return merged;
}

} // namespace

SyncedBundle SyncedBundle::merging(const SyncedBundle &other) const {
    const bool receiverIsNewer = updatedAt >= other.updatedAt;
    const SyncedBundle &newer = receiverIsNewer ? *this : other;
    const SyncedBundle &older = receiverIsNewer ? other : *this;
    const SyncedStamps &newerAt = newer.stamps;
    const SyncedStamps &olderAt = older.stamps;

    SyncedBundle merged = newer;
    merged.format = kFormatTag.toString();
    if (olderWins(newerAt.settings, olderAt.settings)) {
        merged.settings = older.settings;
        merged.stamps.settings = olderAt.settings;
    }
    if (olderWins(newerAt.layout, olderAt.layout)) {
        merged.layout = mergeLayout(older.layout, newer.layout);
        merged.stamps.layout = olderAt.layout;
    } else {
        merged.layout = mergeLayout(newer.layout, older.layout);
    }
    if (olderWins(newerAt.activeProfile, olderAt.activeProfile)) {
        merged.profiles.activeID = older.profiles.activeID;
        merged.stamps.activeProfile = olderAt.activeProfile;
    }
    merged.deleted = newer.deleted.united(older.deleted);
    QHash<QUuid, QDateTime> profileDates;
    merged.profiles.profiles =
        mergeByID(newer.profiles.profiles, newerAt.profiles, older.profiles.profiles,
                  olderAt.profiles, merged.deleted.profiles, profileDates);
    QHash<QUuid, QDateTime> ruleDates;
    merged.triggers.rules = mergeByID(newer.triggers.rules, newerAt.rules, older.triggers.rules,
                                      olderAt.rules, merged.deleted.rules, ruleDates);
    merged.stamps.profiles = std::move(profileDates);
    merged.stamps.rules = std::move(ruleDates);
    return merged;
}

SectionLayout SyncedBundle::mergeLayout(const SectionLayout &newer, const SectionLayout &older) {
    QSet<MenuBarItemID> placedByNewer;
    for (const auto &ids : newer.sections) {
        for (const MenuBarItemID &id : ids) {
            placedByNewer.insert(id);
        }
    }
    SectionLayout merged;
    for (const Section section : {Section::shown, Section::hidden, Section::alwaysHidden}) {
        QList<MenuBarItemID> ids = newer.ids(section);
        for (const MenuBarItemID &id : older.ids(section)) {
            if (!placedByNewer.contains(id)) {
                ids.append(id);
            }
        }
        merged.sections.insert(section, ids);
    }
    return merged.normalized();
}

} // namespace zorv
