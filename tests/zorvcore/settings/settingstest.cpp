#include "settings/settings.h"
#include "jsontesting.h"
#include "settings/iconclick.h"

#include <QJsonArray>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;
using zorv::testing::decodeJson;

namespace {

const QStringList kRequiredKeys = {
    u"version"_s,
    u"autoRehideSeconds"_s,
    u"revealOnHover"_s,
    u"revealOnScroll"_s,
    u"liveLayout"_s,
    u"appearance"_s,
    u"pixelPerfectIconsEnabled"_s,
    u"launchAtLogin"_s,
    u"secondaryBarEnabled"_s,
    u"itemAliases"_s,
    u"itemHotkeys"_s,
    u"hideZorvIcon"_s,
    u"showInDockAndSwitcher"_s,
    u"iconClickOpensMenu"_s,
    u"onboardingCompleted"_s,
    u"moveToApplicationsDeclined"_s,
    u"seenPaneGuides"_s,
    u"cloudSyncEnabled"_s,
};

Settings everythingSet() {
    Settings settings;
    settings.version = 7;
    settings.autoRehideSeconds = 2.5;
    settings.revealOnHover = true;
    settings.revealOnScroll = true;
    settings.liveLayout = false;
    settings.appearance = Appearance{true, u"#12AB9f"_s, 0.35, true, true, 6.5};
    settings.pixelPerfectIconsEnabled = true;
    settings.launchAtLogin = true;
    settings.iconSpacing = 4;
    settings.revealShortcut = KeyShortcut(0, KeyShortcut::kCommand | KeyShortcut::kShift);
    settings.searchShortcut = KeyShortcut(49, KeyShortcut::kOption);
    settings.secondaryBarEnabled = true;
    settings.itemAliases = {ItemAlias{u"com.a::0"_s, u" wifi "_s}};
    settings.itemHotkeys = {ItemHotkey{u"com.b::1"_s, KeyShortcut(3, KeyShortcut::kControl)}};
    settings.hideZorvIcon = true;
    settings.showInDockAndSwitcher = false;
    settings.iconClickOpensMenu = false;
    settings.onboardingCompleted = true;
    settings.moveToApplicationsDeclined = true;
    settings.seenPaneGuides = {u"general"_s, u"arrange"_s};
    settings.spacingAppliedAtLogin = 0;
    settings.spacingBaselineSession = QDateTime(QDate(2026, 3, 1), QTime(8, 15, 30), Qt::UTC);
    settings.cloudSyncEnabled = true;
    return settings;
}

TEST(SettingsJson, DefaultsWriteOnlyTheRequiredKeysAndReadBackEqual) {
    const QJsonObject json = Settings().toJson(DateForm::ReferenceSeconds).toObject();
    QStringList expected = kRequiredKeys;
    expected.sort();
    EXPECT_EQ(json.keys(), expected);
    EXPECT_EQ(decodeJson<Settings>(json), Settings());
}

TEST(SettingsJson, EveryFieldRoundTripsInBothDateForms) {
    const Settings settings = everythingSet();
    for (const DateForm form : {DateForm::ReferenceSeconds, DateForm::Iso8601}) {
        const QJsonObject json = settings.toJson(form).toObject();
        EXPECT_EQ(json.size(), 23);
        EXPECT_EQ(decodeJson<Settings>(json, form), settings);
    }
    const QJsonObject iso = settings.toJson(DateForm::Iso8601).toObject();
    EXPECT_EQ(iso.value(u"spacingBaselineSession"_s).toString(), u"2026-03-01T08:15:30Z"_s);
    // A zero spacing is a value, not an absent one.
    EXPECT_EQ(iso.value(u"spacingAppliedAtLogin"_s).toInt(-1), 0);
}

TEST(SettingsJson, EveryRequiredKeyIsRequired) {
    const QJsonObject complete = Settings().toJson(DateForm::ReferenceSeconds).toObject();
    for (const QString &key : kRequiredKeys) {
        QJsonObject json = complete;
        json.remove(key);
        EXPECT_THROW((void)decodeJson<Settings>(json), DecodeError) << key.toStdString();
    }
}

TEST(SettingsJson, AbsentOrNullOptionalsReadAsNone) {
    QJsonObject json = everythingSet().toJson(DateForm::ReferenceSeconds).toObject();
    json.remove(u"iconSpacing"_s);
    json.insert(u"revealShortcut"_s, QJsonValue::Null);
    json.insert(u"unknownFutureKey"_s, u"ignored"_s);
    const auto settings = decodeJson<Settings>(json);
    EXPECT_EQ(settings.iconSpacing, std::nullopt);
    EXPECT_EQ(settings.revealShortcut, std::nullopt);
    EXPECT_EQ(settings.searchShortcut, everythingSet().searchShortcut);
}

TEST(SettingsJson, RefusesValuesOfTheWrongType) {
    const QJsonObject complete = everythingSet().toJson(DateForm::ReferenceSeconds).toObject();
    QJsonObject appearanceWithoutRadius = everythingSet().appearance.toJson().toObject();
    appearanceWithoutRadius.remove(u"cornerRadius"_s);
    const QList<std::pair<QString, QJsonValue>> faults = {
        {u"liveLayout"_s, 1},
        {u"version"_s, 1.5},
        {u"autoRehideSeconds"_s, u"10"_s},
        {u"iconSpacing"_s, 2.5},
        {u"appearance"_s, appearanceWithoutRadius},
        {u"itemAliases"_s, QJsonArray{QJsonObject{{u"key"_s, u"k"_s}}}},
        {u"itemHotkeys"_s, QJsonArray{QJsonObject{{u"key"_s, u"k"_s}}}},
        {u"seenPaneGuides"_s, QJsonArray{1}},
        {u"spacingBaselineSession"_s, u"2026-03-01T08:15:30Z"_s},
    };
    for (const auto &[key, value] : faults) {
        QJsonObject json = complete;
        json.insert(key, value);
        EXPECT_THROW((void)decodeJson<Settings>(json), DecodeError) << key.toStdString();
    }
}

TEST(SettingsEquality, ComparesNestedValues) {
    Settings other;
    other.appearance.tintHex = u"#000001"_s;
    EXPECT_NE(Settings(), other);
}

TEST(SettingsAliases, KeepsTheAliasAsTypedButClearsBlankOnes) {
    Settings settings;
    settings.setAlias(u"  wifi  "_s, u"k"_s);
    EXPECT_EQ(settings.alias(u"k"_s), u"  wifi  "_s);

    // Only spaces and tabs make an alias blank; a line break is content.
    for (const QString &blank : {u"   "_s, u"\t \u00A0\u3000\u2009"_s, QString()}) {
        Settings cleared = settings;
        cleared.setAlias(blank, u"k"_s);
        EXPECT_TRUE(cleared.itemAliases.isEmpty());
    }
    settings.setAlias(std::nullopt, u"k"_s);
    EXPECT_TRUE(settings.itemAliases.isEmpty());
    settings.setAlias(u"\n"_s, u"k"_s);
    EXPECT_EQ(settings.alias(u"k"_s), u"\n"_s);
}

TEST(SettingsAliases, AnEditedAliasMovesToTheEnd) {
    Settings settings;
    settings.itemAliases = {{u"k1"_s, u"x"_s}, {u"k"_s, u"a"_s}, {u"k2"_s, u"y"_s}};
    settings.setAlias(u"b"_s, u"k"_s);
    EXPECT_EQ(settings.itemAliases,
              (QList<ItemAlias>{{u"k1"_s, u"x"_s}, {u"k2"_s, u"y"_s}, {u"k"_s, u"b"_s}}));
    // Keys are exact text.
    EXPECT_EQ(settings.alias(u"K"_s), std::nullopt);
    EXPECT_EQ(settings.alias(u"k "_s), std::nullopt);
}

TEST(SettingsAliases, DuplicateEntriesAnswerTheFirstAndAreAllReplaced) {
    Settings settings;
    settings.itemAliases = {{u"k"_s, u"first"_s}, {u"o"_s, u"other"_s}, {u"k"_s, u"second"_s}};
    EXPECT_EQ(settings.alias(u"k"_s), u"first"_s);
    settings.setAlias(u"new"_s, u"k"_s);
    EXPECT_EQ(settings.itemAliases, (QList<ItemAlias>{{u"o"_s, u"other"_s}, {u"k"_s, u"new"_s}}));
}

TEST(SettingsHotkeys, ReplacesMovesAndClears) {
    const KeyShortcut a(0, KeyShortcut::kCommand);
    const KeyShortcut b(11, KeyShortcut::kCommand);
    Settings settings;
    settings.itemHotkeys = {{u"k"_s, a}, {u"o"_s, a}, {u"k"_s, b}};
    EXPECT_EQ(settings.itemHotkey(u"k"_s), a);
    settings.setItemHotkey(b, u"k"_s);
    EXPECT_EQ(settings.itemHotkeys, (QList<ItemHotkey>{{u"o"_s, a}, {u"k"_s, b}}));
    settings.setItemHotkey(std::nullopt, u"k"_s);
    EXPECT_EQ(settings.itemHotkeys, (QList<ItemHotkey>{{u"o"_s, a}}));
    EXPECT_EQ(settings.itemHotkey(u"k"_s), std::nullopt);
}

TEST(IconClick, ThePlainClickDoesWhatThePreferenceSaysAndTheOtherClickTheOpposite) {
    using IconClick::Action;
    EXPECT_EQ(IconClick::action(false, false), Action::reveal);
    EXPECT_EQ(IconClick::action(false, true), Action::menu);
    EXPECT_EQ(IconClick::action(true, false), Action::menu);
    EXPECT_EQ(IconClick::action(true, true), Action::reveal);
}

} // namespace
