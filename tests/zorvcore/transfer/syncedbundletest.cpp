#include "transfer/syncedbundle.h"
#include "bundlesamples.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;
using namespace zorv::testing;

namespace {

const QDateTime kMorning(QDate(2026, 12, 5), QTime(9, 4, 5), Qt::UTC);

SyncedBundle bundle(const QDateTime &updatedAt, const QString &device,
                    SectionLayout layout = layoutOf({})) {
    Settings settings;
    settings.itemAliases = {{u"device"_s, device}};
    settings.searchShortcut = KeyShortcut(1, KeyShortcut::kControl);
    return SyncedBundle(updatedAt, device + u"-id"_s, device, SyncedSettings(settings), layout,
                        sampleProfiles(device), sampleTriggers(device));
}

QJsonObject objectOf(const QByteArray &text) {
    return QJsonDocument::fromJson(text).object();
}

TEST(SyncedBundleWire, IsCompactSortedAndInWholeSeconds) {
    const SyncedBundle sent = bundle(kMorning.addMSecs(900), u"Office"_s);
    const QByteArray wire = sent.encoded();
    EXPECT_TRUE(wire.startsWith(
        R"({"deviceID":"Office-id","deviceName":"Office","format":"zorv-sync-v1")"));
    EXPECT_FALSE(wire.contains('\n'));
    EXPECT_EQ(objectOf(wire).keys().size(), 8);
    EXPECT_EQ(objectOf(wire)[u"updatedAt"_s].toString(), u"2026-12-05T09:04:05Z"_s);

    const SyncedBundle received = SyncedBundle::decode(wire);
    EXPECT_EQ(received.updatedAt, kMorning);
    EXPECT_NE(received, sent);
    EXPECT_TRUE(received.contentEquals(sent));
    SyncedBundle whole = sent;
    whole.updatedAt = kMorning;
    EXPECT_EQ(received, whole);
}

TEST(SyncedBundleWire, EveryBundleKeyIsRequiredButTheTagIsNotChecked) {
    const QJsonObject complete = objectOf(bundle(kMorning, u"Office"_s).encoded());
    for (const QString &key : complete.keys()) {
        QJsonObject missing = complete;
        missing.remove(key);
        EXPECT_THROW((void)SyncedBundle::decode(QJsonDocument(missing).toJson()), DecodeError)
            << key.toStdString();
    }
    QJsonObject badDate = complete;
    badDate.insert(u"updatedAt"_s, 786'000'000);
    EXPECT_THROW((void)SyncedBundle::decode(QJsonDocument(badDate).toJson()), DecodeError);

    QJsonObject foreign = complete;
    foreign.insert(u"format"_s, u"zorv-sync-v9"_s);
    EXPECT_EQ(SyncedBundle::decode(QJsonDocument(foreign).toJson()).format, u"zorv-sync-v9"_s);
}

TEST(SyncedBundleWire, ARuleNestedPastTheLimitFailsToDecode) {
    const QByteArray wire = bundle(kMorning, u"Office"_s).encoded();
    EXPECT_NO_THROW((void)SyncedBundle::decode(withTriggers(wire, deeplyNestedTriggers(40))));
    EXPECT_THROW((void)SyncedBundle::decode(withTriggers(wire, deeplyNestedTriggers(200'000))),
                 DecodeError);
}

TEST(SyncedSettingsDecoding, MissingOrNullKeysTakeTheDefaults) {
    QJsonObject complete = objectOf(bundle(kMorning, u"Office"_s).encoded());
    complete.insert(u"settings"_s, QJsonObject{{u"autoRehideSeconds"_s, 3},
                                               {u"revealOnHover"_s, QJsonValue::Null}});
    const SyncedSettings read = SyncedBundle::decode(QJsonDocument(complete).toJson()).settings;
    SyncedSettings expected{Settings()};
    expected.autoRehideSeconds = 3;
    EXPECT_EQ(read, expected);
    EXPECT_TRUE(read.liveLayout);
    EXPECT_TRUE(read.iconClickOpensMenu);
}

TEST(SyncedSettingsDecoding, APresentKeyOfTheWrongTypeStillFails) {
    QJsonObject appearance = Appearance().toJson().toObject();
    appearance.remove(u"tintHex"_s);
    const QList<QJsonObject> faults = {
        {{u"liveLayout"_s, u"yes"_s}},
        {{u"iconSpacing"_s, 1.5}},
        {{u"appearance"_s, appearance}},
        {{u"itemAliases"_s, QJsonObject()}},
        {{u"revealShortcut"_s, QJsonObject{{u"keyCode"_s, 70000}, {u"modifiers"_s, 0}}}},
    };
    QJsonObject document = objectOf(bundle(kMorning, u"Office"_s).encoded());
    for (const QJsonObject &settings : faults) {
        document.insert(u"settings"_s, settings);
        EXPECT_THROW((void)SyncedBundle::decode(QJsonDocument(document).toJson()), DecodeError);
    }
}

TEST(SyncedSettingsApplied, ReplacesOnlyTheSyncedFields) {
    Settings local;
    local.version = 3;
    local.launchAtLogin = true;
    local.showInDockAndSwitcher = false;
    local.onboardingCompleted = true;
    local.moveToApplicationsDeclined = true;
    local.seenPaneGuides = {u"spacing"_s};
    local.spacingAppliedAtLogin = 6;
    local.spacingBaselineSession = kMorning;
    local.cloudSyncEnabled = true;

    Settings remote;
    remote.autoRehideSeconds = 30;
    remote.appearance.tintEnabled = true;
    remote.iconSpacing = 2;
    remote.revealShortcut = KeyShortcut(0, KeyShortcut::kCommand);
    remote.itemAliases = {{u"k"_s, u"alias"_s}};
    remote.hideZorvIcon = true;
    remote.iconClickOpensMenu = false;

    const Settings merged = SyncedSettings(remote).applied(local);
    EXPECT_EQ(SyncedSettings(merged), SyncedSettings(remote));
    EXPECT_EQ(SyncedSettings(local).applied(merged), local);
}

TEST(SyncedBundleMerge, NewerWinsWholeAndTiesKeepTheReceiver) {
    const SyncedBundle a = bundle(kMorning, u"Office"_s);
    const SyncedBundle b = bundle(kMorning, u"Laptop"_s);
    EXPECT_EQ(a.merging(b), a);
    EXPECT_EQ(b.merging(a), b);

    const SyncedBundle later = bundle(kMorning.addSecs(1), u"Laptop"_s);
    EXPECT_EQ(a.merging(later), later);
    EXPECT_EQ(later.merging(a), later);

    SyncedBundle foreign = later;
    foreign.format = u"zorv-sync-v0"_s;
    EXPECT_EQ(a.merging(foreign).format, u"zorv-sync-v1"_s);
}

TEST(SyncedBundleMerge, TheSecondLostOnTheWireDecidesWhichIsNewer) {
    const SyncedBundle remote =
        SyncedBundle::decode(bundle(kMorning.addMSecs(900), u"Laptop"_s).encoded());
    const SyncedBundle local = bundle(kMorning.addMSecs(500), u"Office"_s);
    EXPECT_EQ(local.merging(remote).deviceName, u"Office"_s);
    EXPECT_EQ(remote.merging(local).deviceName, u"Office"_s);
}

TEST(SyncedBundleMerge, LayoutsAreUnitedWithTheNewerPlacementWinning) {
    const MenuBarItemID a = itemID(u"com.a"_s), b = itemID(u"com.b"_s), c = itemID(u"com.c"_s),
                        d = itemID(u"com.d"_s), e = itemID(u"com.e"_s);
    const MenuBarItemID titled(u"com.b"_s, std::nullopt, u"Renamed"_s, 0);
    struct Case {
        const char *what;
        SectionLayout newer, older, expected;
    };
    const Case cases[] = {
        {"older-only items follow the newer ones of their section", layoutOf({a, b}),
         layoutOf({c, a, d}, {e}), layoutOf({a, b, c, d}, {e})},
        {"the newer section wins", layoutOf({a}, {b}), layoutOf({b, c}), layoutOf({a, c}, {b})},
        {"the newer order wins", layoutOf({a, b}), layoutOf({b, a}), layoutOf({a, b})},
        {"identity ignores titles", layoutOf({}, {}, {titled}), layoutOf({b}),
         layoutOf({}, {}, {titled})},
        {"system and ephemeral items are dropped",
         layoutOf({itemID(u"com.apple.controlcenter"_s), a}),
         layoutOf({itemID(u"pid:4711"_s)}, {b}), layoutOf({a}, {b})},
        {"an empty newer layout keeps the older", layoutOf({}), layoutOf({a}, {b}, {c}),
         layoutOf({a}, {b}, {c})},
    };
    for (const Case &c : cases) {
        const SectionLayout merged = SyncedBundle::mergeLayout(c.newer, c.older);
        EXPECT_EQ(merged, c.expected) << c.what;
        EXPECT_EQ(merged.sections.size(), 3) << c.what;
    }
    // The merge carries the united layout, not the newer one alone.
    const SyncedBundle newer = bundle(kMorning.addSecs(5), u"Laptop"_s, layoutOf({a}));
    const SyncedBundle older = bundle(kMorning, u"Office"_s, layoutOf({}, {b}));
    EXPECT_EQ(older.merging(newer).layout, layoutOf({a}, {b}));
    EXPECT_EQ(older.merging(newer).settings, newer.settings);
}

} // namespace
