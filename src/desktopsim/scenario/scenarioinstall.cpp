#include "scenarioinstall.h"

#include "scenariojson.h"

#include <QUrl>

using namespace Qt::StringLiterals;

namespace zorv {

ScenarioBundle ScenarioBundle::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    scenariojson::checkKeys(object, {u"path"_s, u"translocated"_s});
    ScenarioBundle bundle;
    const JsonValueRef path = object.required(u"path");
    bundle.path = path.toString();
    if (!bundle.path.startsWith(u'/') || !bundle.path.endsWith(u".app"_s) ||
        bundle.path.contains(u"/../"_s)) {
        path.fail(u"Expected an absolute Mac path of an application bundle, such as "
                  u"\"/Users/user/Downloads/Zorv.app\"."_s);
    }
    bundle.translocated = object.optional<bool>(u"translocated").value_or(false);
    return bundle;
}

ScenarioUpdates ScenarioUpdates::fromJson(const JsonValueRef &value) {
    using Outcome = SimUpdater::Outcome;
    const JsonObjectRef object = value.toObject();
    scenariojson::checkKeys(object, {u"feed"_s, u"outcome"_s, u"canCheck"_s, u"automaticChecks"_s});
    ScenarioUpdates updates;
    updates.feed = object.required<QString>(u"feed");
    if (updates.feed.isEmpty()) {
        object.required(u"feed").fail(u"Expected an address or a file."_s);
    }
    if (auto outcome = object.optional(u"outcome")) {
        updates.outcome =
            scenariojson::toEnum<Outcome>(*outcome, {{u"decide", Outcome::Decide},
                                                     {u"found", Outcome::Found},
                                                     {u"upToDate", Outcome::UpToDate},
                                                     {u"feedError", Outcome::FeedError},
                                                     {u"cancelled", Outcome::Cancelled}});
    }
    updates.canCheck = object.optional<bool>(u"canCheck").value_or(true);
    updates.automaticChecks = object.optional<bool>(u"automaticChecks").value_or(true);
    return updates;
}

QString ScenarioUpdates::feedUrl() const {
    const QUrl url(feed);
    if (url.scheme() == u"http" || url.scheme() == u"https" || url.scheme() == u"file") {
        return feed;
    }
    return QUrl::fromLocalFile(feed).toString();
}

} // namespace zorv
