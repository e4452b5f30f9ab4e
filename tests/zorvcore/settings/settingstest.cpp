#include "settings/settings.h"
#include "jsontesting.h"
#include "settings/iconclick.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;
using zorv::testing::decodeJson;
using zorv::testing::everySettingJson;

namespace {

const QJsonObject kEverything = everySettingJson();

QJsonObject json(const Settings &settings, DateForm form = DateForm::ReferenceSeconds) {
    return settings.toJson(form).toObject();
}

TEST(SettingsJson, DefaultsWriteOnlyTheRequiredKeysAndEveryFieldRoundTrips) {
    // The listed defaults, written as the 18 required keys; every optional one is left out.
    const QJsonObject defaults = parseJson(R"({"version": 1, "autoRehideSeconds": 10.0,
        "revealOnHover": false, "revealOnScroll": false, "liveLayout": true,
        "appearance": {"tintEnabled": false, "tintHex": "#000000", "tintOpacity": 0,
                       "borderEnabled": false, "shadowEnabled": false, "cornerRadius": 0},
        "pixelPerfectIconsEnabled": false, "launchAtLogin": false, "secondaryBarEnabled": false,
        "itemAliases": [], "itemHotkeys": [], "hideZorvIcon": false,
        "showInDockAndSwitcher": true, "iconClickOpensMenu": true, "onboardingCompleted": false,
        "moveToApplicationsDeclined": false, "seenPaneGuides": [], "cloudSyncEnabled": false})")
                                     .toObject();
    EXPECT_EQ(json(Settings()), defaults);
    EXPECT_EQ(decodeJson<Settings>(defaults), Settings());

    const Settings everything = decodeJson<Settings>(kEverything);
    EXPECT_EQ(json(everything), kEverything);
    EXPECT_EQ(decodeJson<Settings>(json(everything, DateForm::Iso8601), DateForm::Iso8601),
              everything);
    EXPECT_EQ(json(everything, DateForm::Iso8601).value(u"spacingBaselineSession"_s),
              u"2026-03-01T08:15:30Z"_s);
}

TEST(SettingsJson, DecodesStrictlyButReadsAbsentOrNullOptionalsAsNone) {
    for (const QString &key : json(Settings()).keys()) {
        QJsonObject missing = json(Settings());
        missing.remove(key);
        EXPECT_THROW((void)decodeJson<Settings>(missing), DecodeError) << key.toStdString();
    }
    const QJsonObject wrongTypes = parseJson(R"({"liveLayout": 1, "version": 1.5,
        "autoRehideSeconds": "10", "iconSpacing": 2.5, "itemAliases": [{"key": "k"}],
        "seenPaneGuides": [1], "spacingBaselineSession": "2026-03-01T08:15:30Z",
        "appearance": {"tintEnabled": true, "tintHex": "#000000", "tintOpacity": 0,
                       "borderEnabled": false, "shadowEnabled": false}})")
                                       .toObject();
    for (const QString &key : wrongTypes.keys()) {
        QJsonObject wrong = kEverything;
        wrong.insert(key, wrongTypes.value(key));
        EXPECT_THROW((void)decodeJson<Settings>(wrong), DecodeError) << key.toStdString();
    }
    QJsonObject tolerated = kEverything;
    tolerated.remove(u"iconSpacing"_s);
    tolerated.insert(u"revealShortcut"_s, QJsonValue::Null);
    tolerated.insert(u"unknownFutureKey"_s, u"ignored"_s);
    Settings expected = decodeJson<Settings>(kEverything);
    expected.iconSpacing = std::nullopt;
    expected.revealShortcut = std::nullopt;
    EXPECT_EQ(decodeJson<Settings>(tolerated), expected);
}

TEST(SettingsAliases, KeepsTheAliasAsTypedMovesEditsToTheEndAndClearsBlankOnes) {
    Settings settings;
    settings.itemAliases = {{u"k"_s, u"first"_s}, {u"o"_s, u"other"_s}, {u"k"_s, u"second"_s}};
    EXPECT_EQ(settings.alias(u"k"_s), u"first"_s);
    EXPECT_EQ(settings.alias(u"K"_s), std::nullopt);
    settings.setAlias(u"  wifi  "_s, u"k"_s);
    EXPECT_EQ(settings.itemAliases,
              (QList<ItemAlias>{{u"o"_s, u"other"_s}, {u"k"_s, u"  wifi  "_s}}));
    // Only spaces and tabs make an alias blank; a line break is content.
    for (const std::optional<QString> &blank :
         {std::optional<QString>(), std::optional(u"\t \u00A0\u3000\u2009"_s),
          std::optional(QString())}) {
        Settings cleared = settings;
        cleared.setAlias(blank, u"k"_s);
        EXPECT_EQ(cleared.itemAliases, (QList<ItemAlias>{{u"o"_s, u"other"_s}}));
    }
    settings.setAlias(u"\n"_s, u"k"_s);
    EXPECT_EQ(settings.alias(u"k"_s), u"\n"_s);
}

TEST(SettingsHotkeys, ReplacesMovesAndClears) {
    const KeyShortcut a(0, KeyShortcut::kCommand), b(11, KeyShortcut::kCommand);
    Settings settings;
    settings.itemHotkeys = {{u"k"_s, a}, {u"o"_s, a}, {u"k"_s, b}};
    EXPECT_EQ(settings.itemHotkey(u"k"_s), a);
    settings.setItemHotkey(b, u"k"_s);
    EXPECT_EQ(settings.itemHotkeys, (QList<ItemHotkey>{{u"o"_s, a}, {u"k"_s, b}}));
    settings.setItemHotkey(std::nullopt, u"k"_s);
    EXPECT_EQ(settings.itemHotkeys, (QList<ItemHotkey>{{u"o"_s, a}}));
}

TEST(IconClick, ThePlainClickFollowsThePreferenceAndTheOtherClickDoesTheOpposite) {
    EXPECT_EQ(IconClick::action(false, true), IconClick::Action::menu);
    EXPECT_EQ(IconClick::action(true, true), IconClick::Action::reveal);
    EXPECT_EQ(IconClick::action(false, false), IconClick::Action::reveal);
    EXPECT_EQ(IconClick::action(true, false), IconClick::Action::menu);
}

} // namespace
