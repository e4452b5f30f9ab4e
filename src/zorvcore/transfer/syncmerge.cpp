#include "syncmerge.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

template <typename T> QSet<QUuid> idsOf(const QList<T> &items) {
    QSet<QUuid> ids;
    for (const T &item : items) {
        ids.insert(item.id);
    }
    return ids;
}

template <typename T>
QList<T> mergeByID(const QList<T> &newer, const QList<T> &older, const QSet<QUuid> &shared) {
    const QSet<QUuid> newerIDs = idsOf(newer);
    const QSet<QUuid> olderIDs = idsOf(older);
    QList<T> merged;
    for (const T &item : newer) {
        if (olderIDs.contains(item.id) || !shared.contains(item.id)) {
            merged.append(item);
        }
    }
    for (const T &item : older) {
        if (!newerIDs.contains(item.id) && !shared.contains(item.id)) {
            merged.append(item);
        }
    }
    return merged;
}

QJsonArray sortedIDs(const QSet<QUuid> &ids) {
    QStringList texts;
    for (const QUuid &id : ids) {
        texts.append(id.toString(QUuid::WithoutBraces).toUpper());
    }
    texts.sort();
    return QJsonArray::fromStringList(texts);
}

QSet<QUuid> readIDs(const JsonObjectRef &object, QStringView key) {
    QSet<QUuid> ids;
    for (const QUuid &id : object.required(key).toArray().map<QUuid>()) {
        ids.insert(id);
    }
    return ids;
}

} // namespace

SyncedIdentifiers SyncedIdentifiers::of(const SyncedBundle &bundle) {
    return SyncedIdentifiers{idsOf(bundle.profiles.profiles), idsOf(bundle.triggers.rules)};
}

QJsonValue SyncedIdentifiers::toJson() const {
    return QJsonObject{{u"profiles"_s, sortedIDs(profiles)}, {u"rules"_s, sortedIDs(rules)}};
}

SyncedIdentifiers SyncedIdentifiers::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    return SyncedIdentifiers{readIDs(object, u"profiles"), readIDs(object, u"rules")};
}

SyncedBundle mergeSyncedBundles(const SyncedBundle &newer, const SyncedBundle &older,
                                const SyncedIdentifiers &shared) {
    SyncedBundle merged = newer;
    merged.format = SyncedBundle::kFormatTag.toString();
    merged.layout = SyncedBundle::mergeLayout(newer.layout, older.layout);
    merged.profiles.profiles =
        mergeByID(newer.profiles.profiles, older.profiles.profiles, shared.profiles);
    merged.triggers.rules = mergeByID(newer.triggers.rules, older.triggers.rules, shared.rules);
    return merged;
}

} // namespace zorv
