#include "syncedstamps.h"

#include "profiles/uuidtext.h"

#include <QJsonObject>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QDateTime wholeSeconds(const QDateTime &date) {
    if (!date.isValid()) {
        return date;
    }
    return QDateTime::fromSecsSinceEpoch(date.toSecsSinceEpoch(), Qt::UTC);
}

template <typename T>
QHash<QUuid, QDateTime> datesFor(const QList<T> &items, const QHash<QUuid, QDateTime> &known,
                                 const QDateTime &fallback) {
    QHash<QUuid, QDateTime> dates;
    for (const T &item : items) {
        dates.insert(item.id, wholeSeconds(known.value(item.id, fallback)));
    }
    return dates;
}

QJsonObject datesJson(const QHash<QUuid, QDateTime> &dates, DateForm form) {
    QJsonObject object;
    for (auto it = dates.cbegin(); it != dates.cend(); ++it) {
        object.insert(uuidText(it.key()), dateJson(it.value(), form));
    }
    return object;
}

QHash<QUuid, QDateTime> readDates(const JsonObjectRef &object, QStringView key) {
    const JsonObjectRef dates = object.required(key).toObject();
    QHash<QUuid, QDateTime> result;
    for (const QString &id : dates.keys()) {
        const QUuid uuid = QUuid::fromString(id);
        if (uuid.isNull()) {
            dates.fail(u"\"%1\" is not an id"_s.arg(id));
        }
        result.insert(uuid, dates.required(id).toDate());
    }
    return result;
}

} // namespace

SyncedStamps SyncedStamps::uniform(const QDateTime &at, const ProfileSet &profiles,
                                   const TriggerSet &triggers) {
    return SyncedStamps{}.fittedTo(profiles, triggers, at);
}

SyncedStamps SyncedStamps::fittedTo(const ProfileSet &profileSet, const TriggerSet &triggers,
                                    const QDateTime &fallback) const {
    const auto dated = [&fallback](const QDateTime &date) {
        return wholeSeconds(date.isValid() ? date : fallback);
    };
    return SyncedStamps{dated(settings), dated(layout), dated(activeProfile),
                        datesFor(profileSet.profiles, profiles, fallback),
                        datesFor(triggers.rules, rules, fallback)};
}

bool SyncedStamps::allAt(const QDateTime &at) const {
    const QDateTime second = wholeSeconds(at);
    const auto isAt = [&second](const QDateTime &date) { return date == second; };
    return isAt(settings) && isAt(layout) && isAt(activeProfile) &&
           std::all_of(profiles.cbegin(), profiles.cend(), isAt) &&
           std::all_of(rules.cbegin(), rules.cend(), isAt);
}

QJsonValue SyncedStamps::toJson(DateForm form) const {
    return QJsonObject{{u"activeProfile"_s, dateJson(activeProfile, form)},
                       {u"layout"_s, dateJson(layout, form)},
                       {u"profiles"_s, datesJson(profiles, form)},
                       {u"rules"_s, datesJson(rules, form)},
                       {u"settings"_s, dateJson(settings, form)}};
}

SyncedStamps SyncedStamps::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    // Read in key order, so that of several faults the first key's is reported.
    QDateTime activeProfile = object.required(u"activeProfile").toDate();
    QDateTime layout = object.required(u"layout").toDate();
    QHash<QUuid, QDateTime> profiles = readDates(object, u"profiles");
    QHash<QUuid, QDateTime> rules = readDates(object, u"rules");
    QDateTime settings = object.required(u"settings").toDate();
    return SyncedStamps{std::move(settings), std::move(layout), std::move(activeProfile),
                        std::move(profiles), std::move(rules)};
}

} // namespace zorv
