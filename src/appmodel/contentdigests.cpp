#include "contentdigests.h"

#include "jsonwriter.h"
#include "profiles/uuidtext.h"

#include <QCryptographicHash>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QByteArray digestOf(const QJsonValue &json) {
    // Content that cannot be written (a non-finite number) cannot be synced either; any stable
    // digest will do for it.
    const auto bytes = writeJson(json, JsonFormat::compact());
    return QCryptographicHash::hash(bytes.value_or(QByteArray()), QCryptographicHash::Sha256)
        .toHex();
}

template <typename T> QHash<QUuid, QByteArray> digestsByID(const QList<T> &items) {
    QHash<QUuid, QByteArray> digests;
    for (const T &item : items) {
        digests.insert(item.id, digestOf(item.toJson()));
    }
    return digests;
}

void restampByID(const QHash<QUuid, QByteArray> &before, const QHash<QUuid, QByteArray> &now,
                 const QHash<QUuid, QDateTime> &stamps, const QDateTime &at,
                 QHash<QUuid, QDateTime> &result) {
    result.clear();
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        const auto earlier = before.constFind(it.key());
        const bool same = earlier != before.cend() && *earlier == it.value();
        result.insert(it.key(), same ? stamps.value(it.key(), at) : at);
    }
}

QJsonObject digestsJson(const QHash<QUuid, QByteArray> &digests) {
    QJsonObject object;
    for (auto it = digests.cbegin(); it != digests.cend(); ++it) {
        object.insert(uuidText(it.key()), QString::fromLatin1(it.value()));
    }
    return object;
}

QHash<QUuid, QByteArray> readDigests(const JsonObjectRef &object, QStringView key) {
    const JsonObjectRef digests = object.required(key).toObject();
    QHash<QUuid, QByteArray> result;
    for (const QString &id : digests.keys()) {
        const QUuid uuid = QUuid::fromString(id);
        if (uuid.isNull()) {
            digests.fail(u"\"%1\" is not an id"_s.arg(id));
        }
        result.insert(uuid, digests.required(id).toString().toLatin1());
    }
    return result;
}

} // namespace

QByteArray ContentDigests::ofSettings(const SyncedSettings &settings) {
    return digestOf(settings.toJson());
}

QByteArray ContentDigests::ofLayout(const SectionLayout &layout) {
    return digestOf(layout.normalized().toJson());
}

QByteArray ContentDigests::ofActiveProfile(const ProfileSet &profiles) {
    return profiles.activeID ? uuidText(*profiles.activeID).toLatin1() : QByteArray("none");
}

QHash<QUuid, QByteArray> ContentDigests::ofProfiles(const ProfileSet &profiles) {
    return digestsByID(profiles.profiles);
}

QHash<QUuid, QByteArray> ContentDigests::ofRules(const TriggerSet &triggers) {
    return digestsByID(triggers.rules);
}

QByteArray ContentDigests::ofOrder(const ProfileSet &profiles, const TriggerSet &triggers) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const Profile &profile : profiles.profiles) {
        hash.addData(uuidText(profile.id).toLatin1());
    }
    hash.addData("/");
    for (const TriggerRule &rule : triggers.rules) {
        hash.addData(uuidText(rule.id).toLatin1());
    }
    return hash.result().toHex();
}

SyncedStamps ContentDigests::restamped(const ContentDigests &now, const SyncedStamps &stamps,
                                       const QDateTime &at) const {
    SyncedStamps result = stamps;
    const auto restamp = [&at](const QByteArray &before, const QByteArray &after,
                               QDateTime &stamp) {
        if (before != after) {
            stamp = at;
        }
    };
    restamp(settings, now.settings, result.settings);
    restamp(layout, now.layout, result.layout);
    restamp(activeProfile, now.activeProfile, result.activeProfile);
    restampByID(profiles, now.profiles, stamps.profiles, at, result.profiles);
    restampByID(rules, now.rules, stamps.rules, at, result.rules);
    return result;
}

QJsonValue ContentDigests::toJson() const {
    return QJsonObject{{u"activeProfile"_s, QString::fromLatin1(activeProfile)},
                       {u"layout"_s, QString::fromLatin1(layout)},
                       {u"order"_s, QString::fromLatin1(order)},
                       {u"profiles"_s, digestsJson(profiles)},
                       {u"rules"_s, digestsJson(rules)},
                       {u"settings"_s, QString::fromLatin1(settings)}};
}

ContentDigests ContentDigests::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    QByteArray activeProfile = object.required(u"activeProfile").toString().toLatin1();
    QByteArray layout = object.required(u"layout").toString().toLatin1();
    QByteArray order = object.required(u"order").toString().toLatin1();
    QHash<QUuid, QByteArray> profiles = readDigests(object, u"profiles");
    QHash<QUuid, QByteArray> rules = readDigests(object, u"rules");
    QByteArray settings = object.required(u"settings").toString().toLatin1();
    return ContentDigests{std::move(settings), std::move(layout), std::move(activeProfile),
                          std::move(profiles), std::move(rules),  std::move(order)};
}

} // namespace zorv
