#include "settings/settings.h"
#include "jsontesting.h"
#include "profiles/profileset.h"
#include "settings/iconclick.h"
#include "settings/keyshortcut.h"

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

TEST(KeyShortcut, ShowsModifierGlyphsInFixedOrderThenTheKeyName) {
    constexpr quint64 all =
        KeyShortcut::kCommand | KeyShortcut::kShift | KeyShortcut::kOption | KeyShortcut::kControl;
    const struct {
        KeyShortcut shortcut;
        QStringList caps;
    } cases[] = {
        {KeyShortcut(0, KeyShortcut::kCommand), {u"⌘"_s, u"A"_s}},
        {KeyShortcut(49, KeyShortcut::kOption), {u"⌥"_s, u"Space"_s}},
        {KeyShortcut(122, all), {u"⌃"_s, u"⌥"_s, u"⇧"_s, u"⌘"_s, u"F1"_s}},
        // Codes without a name of their own show their number.
        {KeyShortcut(10, KeyShortcut::kControl), {u"⌃"_s, u"key 10"_s}},
        {KeyShortcut(65535, 0), {u"key 65535"_s}},
        // Caps lock, function and device bits are kept but never shown.
        {KeyShortcut(53, 0x10000 | (quint64(1) << 23) | 0x1), {u"⎋"_s}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.shortcut.display(), c.caps.join(QString()));
        EXPECT_EQ(c.shortcut.caps(), c.caps);
    }
    EXPECT_NE(KeyShortcut(53, 0x10000), KeyShortcut(53, 0));
}

TEST(KeyShortcut, SplitsDisplayTextIntoCaps) {
    EXPECT_EQ(KeyShortcut::caps(u"⌘⌘A⌥"_s), (QStringList{u"⌘"_s, u"⌘"_s, u"A⌥"_s}));
    EXPECT_EQ(KeyShortcut::caps(u"⌃⌥"_s), (QStringList{u"⌃"_s, u"⌥"_s}));
    // A glyph carrying a combining mark is one character that is not a modifier.
    EXPECT_EQ(KeyShortcut::caps(u"⌥⌘\u0301A"_s), (QStringList{u"⌥"_s, u"⌘\u0301A"_s}));
}

TEST(KeyShortcut, RoundTripsThroughJsonAndRefusesMalformedRecords) {
    const KeyShortcut shortcut(65535, KeyShortcut::kCommand | 0x10000 | (quint64(1) << 40));
    EXPECT_EQ(decodeJson<KeyShortcut>(shortcut.toJson()), shortcut);
    for (const char *text :
         {R"({"keyCode": 70000, "modifiers": 0})", R"({"keyCode": 0})", R"({"modifiers": 0})",
          R"({"keyCode": -1, "modifiers": 0})", R"({"keyCode": 0, "modifiers": -1})"}) {
        EXPECT_THROW((void)decodeJson<KeyShortcut>(QByteArray(text)), DecodeError) << text;
    }
}

// Two profiles, the first, active one with every optional field, the second with none.
const QJsonObject kSet = parseJson(R"({"activeID": "0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0",
  "profiles": [{"id": "0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0", "name": "Work", "appearance": {
    "tintEnabled": true, "tintHex": "#FFAA00", "tintOpacity": 0.5, "borderEnabled": true,
    "shadowEnabled": false, "cornerRadius": 4}, "shortcut": {"keyCode": 18, "modifiers": 786432},
    "layout": [{"section": "alwaysHidden", "ids": []}, {"section": "hidden", "ids": [{"bundleID":
    "com.a", "ordinal": 0, "title": "A"}]}, {"section": "shown", "ids": []}]}, {"id":
    "11111111-2222-3333-4444-555555555555", "name": "Home", "layout": [{"section": "alwaysHidden",
    "ids": []}, {"section": "hidden", "ids": []}, {"section": "shown", "ids": []}]}]})")
                             .toObject();

TEST(ProfileSetJson, EveryFieldRoundTripsWithIdsInUpperCaseAndAbsentOptionalsLeftOut) {
    const ProfileSet set = decodeJson<ProfileSet>(kSet);
    EXPECT_EQ(set.toJson(), kSet);
    EXPECT_EQ(ProfileSet().toJson(), (QJsonObject{{u"profiles"_s, QJsonArray()}}));
    EXPECT_EQ(decodeJson<ProfileSet>(ProfileSet().toJson()), ProfileSet());
}

TEST(ProfileSetJson, OneBrokenProfileFailsTheWholeSet) {
    const QJsonArray profiles = kSet.value(u"profiles"_s).toArray();
    for (const auto &[key, value] : {std::pair{u"id"_s, QJsonValue(QJsonValue::Undefined)},
                                     {u"name"_s, QJsonValue::Undefined},
                                     {u"layout"_s, QJsonValue::Undefined},
                                     {u"id"_s, u"not-a-uuid"_s},
                                     {u"appearance"_s, QJsonObject()}}) {
        QJsonObject bad = profiles.at(1).toObject();
        bad.insert(key, value); // Undefined removes the key
        QJsonObject set = kSet;
        set.insert(u"profiles"_s, QJsonArray{profiles.at(0), bad});
        EXPECT_THROW((void)decodeJson<ProfileSet>(set), DecodeError) << key.toStdString();
    }
}

TEST(ProfileSetActive, FindsTheFirstProfileWithTheActiveIdAndKeepsADanglingOne) {
    ProfileSet set = decodeJson<ProfileSet>(kSet);
    set.profiles.append(set.profiles.first());
    set.profiles.last().name = u"Twin"_s;
    EXPECT_EQ(set.active()->name, u"Work"_s);
    EXPECT_EQ((ProfileSet{set.profiles, std::nullopt}.active()), std::nullopt);
    const ProfileSet dangling{set.profiles, QUuid::createUuid()};
    EXPECT_EQ(dangling.active(), std::nullopt);
    EXPECT_EQ(decodeJson<ProfileSet>(dangling.toJson()), dangling);
}

} // namespace
