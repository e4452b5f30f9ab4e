#include "transfer/syncedbundle.h"
#include "../settings/jsontesting.h"
#include "bundlesamples.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;
using namespace zorv::testing;

namespace {

const QDateTime kMorning(QDate(2026, 12, 5), QTime(9, 4, 5), Qt::UTC);

SyncedBundle bundle(const QDateTime &updatedAt, const QString &device,
                    const SectionLayout &layout = layoutOf({})) {
    Settings settings;
    settings.itemAliases = {{u"device"_s, device}};
    return SyncedBundle(updatedAt, device + u"-id"_s, device, SyncedSettings(settings), layout,
                        sampleProfiles(device), sampleTriggers(device));
}

const Settings kEverything = decodeJson<Settings>(everySettingJson());

TEST(SyncedBundleTest, IsCompactSortedAndInWholeSeconds) {
    const SyncedBundle sent = bundle(kMorning.addMSecs(900), u"Office"_s);
    const QByteArray wire = sent.encoded();
    EXPECT_TRUE(wire.startsWith(
        R"({"deviceID":"Office-id","deviceName":"Office","format":"zorv-sync-v1","layout":[)"));
    EXPECT_TRUE(wire.endsWith(R"(},"updatedAt":"2026-12-05T09:04:05Z"})"));
    EXPECT_FALSE(wire.contains('\n'));
    SyncedBundle whole = sent;
    whole.updatedAt = kMorning;
    EXPECT_EQ(SyncedBundle::decode(wire), whole);
    EXPECT_TRUE(sent.contentEquals(whole));
}

TEST(SyncedBundleTest, EveryKeyIsRequiredButTheTagIsNotChecked) {
    const QByteArray wire = bundle(kMorning, u"Office"_s).encoded();
    const QJsonObject complete = parseJson(wire).toObject();
    const auto decode = [](const QJsonObject &object) {
        return SyncedBundle::decode(writeJson(object, JsonFormat::compact()).value());
    };
    for (const QString &key : complete.keys()) {
        QJsonObject missing = complete;
        missing.remove(key);
        EXPECT_THROW((void)decode(missing), DecodeError) << key.toStdString();
    }
    QJsonObject changed = complete;
    changed.insert(u"format"_s, u"zorv-sync-v9"_s);
    EXPECT_EQ(decode(changed).format, u"zorv-sync-v9"_s);
    EXPECT_NO_THROW((void)SyncedBundle::decode(withDeeplyNestedRule(wire, 40)));
    EXPECT_THROW((void)SyncedBundle::decode(withDeeplyNestedRule(wire, 200'000)), DecodeError);
}

TEST(SyncedSettingsTest, MissingOrNullKeysTakeTheDefaultsAndOnlySyncedFieldsApply) {
    SyncedSettings expected{Settings()};
    expected.autoRehideSeconds = 3;
    EXPECT_EQ(decodeJson<SyncedSettings>(
                  QByteArray(R"({"autoRehideSeconds": 3, "revealOnHover": null, "x": 1})")),
              expected);
    EXPECT_EQ(decodeJson<SyncedSettings>(SyncedSettings(kEverything).toJson()),
              SyncedSettings(kEverything));
    for (const QJsonValue &settings : parseJson(R"([{"liveLayout": "yes"}, {"iconSpacing": 1.5},
        {"appearance": {}}, {"itemAliases": {}}, {"revealShortcut": {"keyCode": 70000,
        "modifiers": 0}}])")
                                          .toArray()) {
        EXPECT_THROW((void)decodeJson<SyncedSettings>(settings), DecodeError);
    }
    // Applying replaces only the synced fields.
    const Settings merged = SyncedSettings(Settings()).applied(kEverything);
    EXPECT_EQ(SyncedSettings(merged), SyncedSettings(Settings()));
    EXPECT_EQ(SyncedSettings(kEverything).applied(merged), kEverything);
}

TEST(SyncedBundleMerge, NewerWinsWholeAndTiesKeepTheReceiver) {
    const SyncedBundle a = bundle(kMorning, u"Office"_s), b = bundle(kMorning, u"Laptop"_s);
    EXPECT_EQ(a.merging(b), a);
    EXPECT_EQ(b.merging(a), b);
    SyncedBundle later = bundle(kMorning.addSecs(1), u"Laptop"_s);
    EXPECT_EQ(a.merging(later), later);
    EXPECT_EQ(later.merging(a), later);
    later.format = u"zorv-sync-v0"_s;
    EXPECT_EQ(a.merging(later).format, u"zorv-sync-v1"_s);

    // The second lost on the wire decides: 09:04:05.9 arrives as 09:04:05, before 09:04:05.5.
    const SyncedBundle remote =
        SyncedBundle::decode(bundle(kMorning.addMSecs(900), u"Laptop"_s).encoded());
    const SyncedBundle local = bundle(kMorning.addMSecs(500), u"Office"_s);
    EXPECT_EQ(local.merging(remote).deviceName, u"Office"_s);
    EXPECT_EQ(remote.merging(local).deviceName, u"Office"_s);
}

TEST(SyncedBundleMerge, LayoutsAreUnitedWithTheNewerPlacementWinning) {
    const MenuBarItemID a = itemID("com.a"), b = itemID("com.b"), c = itemID("com.c"),
                        d = itemID("com.d"), e = itemID("com.e");
    const MenuBarItemID renamed(u"com.b"_s, std::nullopt, u"Renamed"_s, 0);
    // Older-only items follow the newer ones of their section; the newer section wins; identity
    // ignores titles; an empty newer layout keeps the older.
    const struct {
        SectionLayout newer, older, expected;
    } cases[] = {{layoutOf({a, b}), layoutOf({c, a, d}, {e}), layoutOf({a, b, c, d}, {e})},
                 {layoutOf({b}, {a}), layoutOf({}, {b, c}), layoutOf({b}, {a, c})},
                 {layoutOf({}, {}, {renamed}), layoutOf({b}), layoutOf({}, {}, {renamed})},
                 {layoutOf({}), layoutOf({a}, {b}, {c}), layoutOf({a}, {b}, {c})}};
    for (const auto &row : cases) {
        EXPECT_EQ(SyncedBundle::mergeLayout(row.newer, row.older), row.expected) << &row - cases;
    }
    // The merge carries the united layout, not the newer one alone.
    const SyncedBundle newer = bundle(kMorning.addSecs(5), u"Laptop"_s, layoutOf({a}));
    const SyncedBundle older = bundle(kMorning, u"Office"_s, layoutOf({}, {b}));
    EXPECT_EQ(older.merging(newer).layout, layoutOf({a}, {b}));
    EXPECT_EQ(older.merging(newer).settings, newer.settings);
}

} // namespace
