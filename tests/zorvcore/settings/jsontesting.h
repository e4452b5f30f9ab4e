#pragma once

#include "jsonreader.h"
#include "jsonwriter.h"

#include <QByteArray>

namespace zorv::testing {

// Decodes a record from JSON text the way a store or bundle reads it.
template <typename T>
T decodeJson(const QByteArray &text, DateForm dateForm = DateForm::ReferenceSeconds) {
    return T::fromJson(JsonValueRef(parseJson(text), QStringLiteral("$"), dateForm));
}

template <typename T>
T decodeJson(const QJsonValue &value, DateForm dateForm = DateForm::ReferenceSeconds) {
    return T::fromJson(JsonValueRef(value, QStringLiteral("$"), dateForm));
}

inline QByteArray compactJson(const QJsonValue &value) {
    return writeJson(value, JsonFormat::compact()).value();
}

// A rule set whose one rule's condition is `depth` nested "not" cases around "onBattery".
inline QByteArray notChain(int depth) {
    return R"({"rules":[{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","name":"deep",)"
           R"("isEnabled":true,"action":{"hideHidden":{}},"condition":)" +
           QByteArray(R"({"not":{"_0":)").repeated(depth) + R"({"onBattery":{}})" +
           QByteArray("}}").repeated(depth) + "}]}";
}

// Settings as stored, with every field away from its default and the optional ones present.
inline QJsonObject everySettingJson() {
    return parseJson(R"({"version": 7, "autoRehideSeconds": 2.5, "revealOnHover": true,
    "revealOnScroll": true, "liveLayout": false, "appearance": {"tintEnabled": true,
    "tintHex": "#12AB9f", "tintOpacity": 0.35, "borderEnabled": true, "shadowEnabled": true,
    "cornerRadius": 6.5}, "pixelPerfectIconsEnabled": true, "launchAtLogin": true,
    "iconSpacing": 4, "revealShortcut": {"keyCode": 0, "modifiers": 1048576}, "searchShortcut":
    {"keyCode": 49, "modifiers": 524288}, "secondaryBarEnabled": true, "itemAliases": [{"key":
    "com.a::0", "alias": " wifi "}], "itemHotkeys": [{"key": "com.b::1", "shortcut": {"keyCode": 3,
    "modifiers": 262144}}], "hideZorvIcon": true, "showInDockAndSwitcher": false,
    "iconClickOpensMenu": false, "onboardingCompleted": true, "moveToApplicationsDeclined": true,
    "seenPaneGuides": ["general", "arrange"], "spacingAppliedAtLogin": 0,
    "spacingBaselineSession": 794045730, "cloudSyncEnabled": true})")
        .toObject();
}

} // namespace zorv::testing
