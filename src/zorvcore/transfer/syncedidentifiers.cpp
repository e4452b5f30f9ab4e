#include "syncedidentifiers.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

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

SyncedIdentifiers SyncedIdentifiers::of(const ProfileSet &profiles, const TriggerSet &triggers) {
    return SyncedIdentifiers{idsOf(profiles.profiles), idsOf(triggers.rules)};
}

SyncedIdentifiers SyncedIdentifiers::without(const SyncedIdentifiers &other) const {
    SyncedIdentifiers rest = *this;
    rest.profiles.subtract(other.profiles);
    rest.rules.subtract(other.rules);
    return rest;
}

SyncedIdentifiers SyncedIdentifiers::united(const SyncedIdentifiers &other) const {
    SyncedIdentifiers both = *this;
    both.profiles.unite(other.profiles);
    both.rules.unite(other.rules);
    return both;
}

QJsonValue SyncedIdentifiers::toJson() const {
    return QJsonObject{{u"profiles"_s, sortedIDs(profiles)}, {u"rules"_s, sortedIDs(rules)}};
}

SyncedIdentifiers SyncedIdentifiers::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    return SyncedIdentifiers{readIDs(object, u"profiles"), readIDs(object, u"rules")};
}

} // namespace zorv
