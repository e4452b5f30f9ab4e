#include "scenarioapplication.h"

#include "scenariojson.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

ApplicationIcon iconFromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    scenariojson::checkKeys(object, {u"color"_s, u"symbol"_s});
    return {scenariojson::toColor(object.required(u"color")),
            object.optional<QString>(u"symbol").value_or(QString())};
}

} // namespace

ScenarioApplication ScenarioApplication::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    scenariojson::checkKeys(object,
                            {u"id"_s, u"bundleId"_s, u"name"_s, u"installed"_s, u"path"_s,
                             u"icon"_s, u"activationPolicy"_s, u"menusWidth"_s, u"running"_s,
                             u"frontmost"_s, u"drag"_s, u"hung"_s, u"items"_s});
    ScenarioApplication app;
    app.bundleIdentifier = object.optional<QString>(u"bundleId");
    app.name = object.optional<QString>(u"name");
    app.ref = object.optional<QString>(u"id").value_or(
        app.bundleIdentifier.value_or(app.name.value_or(QString())));
    if (app.ref.isEmpty()) {
        object.fail(u"An application without bundle identifier and name needs an \"id\"."_s);
    }

    const bool installed =
        object.optional<bool>(u"installed").value_or(app.bundleIdentifier.has_value());
    if (installed) {
        if (!app.bundleIdentifier) {
            object.fail(u"An installed application needs a \"bundleId\"."_s);
        }
        app.path = object.optional<QString>(u"path").value_or(
            u"/Applications/"_s + app.name.value_or(app.ref) + u".app"_s);
    } else if (auto path = object.optional(u"path")) {
        path->fail(u"An application that is not installed has no path."_s);
    }
    if (auto icon = object.optional(u"icon")) {
        app.icon = iconFromJson(*icon);
    }
    if (auto policy = object.optional(u"activationPolicy")) {
        app.activationPolicy = scenariojson::toEnum<ActivationPolicy>(
            *policy, {{u"regular", ActivationPolicy::Regular},
                      {u"accessory", ActivationPolicy::Accessory},
                      {u"prohibited", ActivationPolicy::Prohibited}});
    }
    if (auto width = object.optional(u"menusWidth")) {
        app.menusWidth = scenariojson::toNumberAtLeast(*width, 0.0);
    }
    app.running = object.optional<bool>(u"running").value_or(true);
    app.frontmost = object.optional<bool>(u"frontmost").value_or(false);
    if (app.frontmost && (!app.running || app.activationPolicy != ActivationPolicy::Regular)) {
        object.required(u"frontmost")
            .fail(u"Only a running application with the regular policy can be frontmost."_s);
    }
    if (auto drag = object.optional(u"drag")) {
        app.drag = scenariojson::toDragAcceptance(*drag);
    }
    app.hung = object.optional<bool>(u"hung").value_or(false);
    if (auto items = object.optional(u"items")) {
        app.items = items->toArray().map<ScenarioItem>();
    }
    return app;
}

} // namespace zorv
