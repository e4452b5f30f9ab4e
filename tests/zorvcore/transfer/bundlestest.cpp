#include "../settings/jsontesting.h"
#include "transfer/encodeerror.h"
#include "transfer/settingsbundle.h"
#include "transfer/syncedbundle.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using namespace zorv::testing;

MenuBarItemID itemID(const char *bundleID) {
    return MenuBarItemID(QString::fromLatin1(bundleID), std::nullopt, std::nullopt, 0);
}

SectionLayout layoutOf(QList<MenuBarItemID> shown, QList<MenuBarItemID> hidden = {},
                       QList<MenuBarItemID> alwaysHidden = {}) {
    return {{{Section::shown, shown},
             {Section::hidden, hidden},
             {Section::alwaysHidden, alwaysHidden}}};
}

// One profile and one rule, both named `name`.
ProfileSet sampleProfiles(const QString &name) {
    const QUuid id = QUuid::createUuidV5(QUuid(), name);
    return ProfileSet{{Profile{id, name, layoutOf({itemID("com.example.a")}), {}, {}}}, id};
}

TriggerSet sampleTriggers(const QString &name) {
    return {{{QUuid::createUuidV5(QUuid(), name), name, true, TriggerCondition::onBattery(),
              TriggerAction::revealHidden()}}};
}

// `document` with its "triggers" replaced by one rule whose condition is `depth` nested "not"s.
QByteArray withDeeplyNestedRule(const QByteArray &document, int depth) {
    QJsonObject object = parseJson(document).toObject();
    object.insert(u"triggers"_s, u"<rules>"_s);
    return compactJson(object).replace("\"<rules>\"", notChain(depth));
}

// `document` without any one of `keys` does not decode, nor with rules nested too deep to read.
template <typename Bundle>
void expectStrictDecoding(const QByteArray &document, const QStringList &keys) {
    const QJsonObject complete = parseJson(document).toObject();
    for (const QString &key : keys) {
        QJsonObject missing = complete;
        missing.remove(key);
        EXPECT_THROW((void)Bundle::decode(compactJson(missing)), DecodeError) << key.toStdString();
    }
    EXPECT_NO_THROW((void)Bundle::decode(withDeeplyNestedRule(document, 40)));
    EXPECT_THROW((void)Bundle::decode(withDeeplyNestedRule(document, 200'000)), DecodeError);
}

const QDateTime kExported(QDate(2026, 12, 5), QTime(14, 44, 7, 750), Qt::UTC);

SettingsBundle sample(std::optional<QDateTime> exported = kExported) {
    Settings settings;
    settings.spacingBaselineSession = QDateTime(QDate(2026, 12, 1), QTime(7, 0, 1), Qt::UTC);
    return SettingsBundle(exported, settings, layoutOf({itemID("com.example.a")}),
                          sampleProfiles(u"Work"_s), sampleTriggers(u"Battery"_s));
}

TEST(SettingsBundleTest, IsPrettySortedIsoAndReadsBackToTheSecond) {
    const QByteArray bytes = sample().encoded();
    EXPECT_TRUE(bytes.startsWith("{\n  \"exported\" : \"2026-12-05T14:44:07Z\",\n"
                                 "  \"format\" : \"zorv-settings-v1\",\n  \"layout\" : ["));
    // The date inside the settings takes the document's form too.
    EXPECT_TRUE(bytes.contains("\"spacingBaselineSession\" : \"2026-12-01T07:00:01Z\""));
    EXPECT_EQ(SettingsBundle::decode(bytes), sample(kExported.addMSecs(-750)));
    const SettingsBundle undated = sample(std::nullopt);
    EXPECT_FALSE(undated.encoded().contains("exported"));
    EXPECT_EQ(SettingsBundle::decode(undated.encoded()), undated);

    SettingsBundle unwritable = sample();
    unwritable.settings.autoRehideSeconds = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW((void)unwritable.encoded(), EncodeError);
}

// A file written on a Mac whose dates carry their time zone reads as the same instants, and is
// written back in UTC.
TEST(SettingsBundleTest, ReadsDatesWithAnOffsetFromUtc) {
    QByteArray bytes = sample().encoded();
    bytes.replace("\"2026-12-05T14:44:07Z\"", "\"2026-12-05T15:44:07+01:00\"");
    bytes.replace("\"2026-12-01T07:00:01Z\"", "\"2026-12-01T01:30:01-05:30\"");
    const SettingsBundle read = SettingsBundle::decode(bytes);
    EXPECT_EQ(read, sample(kExported.addMSecs(-750)));
    EXPECT_EQ(read.encoded(), sample(kExported.addMSecs(-750)).encoded());

    bytes.replace("+01:00", "+1:00");
    EXPECT_THROW((void)SettingsBundle::decode(bytes), DecodeError);
}

// An export that import could not read back is refused, not written.
TEST(SettingsBundleTest, RefusesToWriteRulesNestedBeyondWhatCanBeRead) {
    const auto nested = [](int depth) {
        TriggerCondition condition = TriggerCondition::onBattery();
        for (int i = 0; i < depth; ++i) {
            condition = TriggerCondition::not_(condition);
        }
        SettingsBundle bundle = sample(kExported.addMSecs(-750));
        bundle.triggers.rules.first().condition = condition;
        return bundle;
    };
    // The document, the triggers, their list, the rule and its innermost case take six levels;
    // each "not" takes two more.
    const SettingsBundle deepest = nested((kMaxJsonNesting - 6) / 2);
    EXPECT_EQ(SettingsBundle::decode(deepest.encoded()), deepest);
    EXPECT_THROW((void)nested((kMaxJsonNesting - 6) / 2 + 1).encoded(), EncodeError);
}

// Anything one byte past 10 MB is refused before parsing, even text that would not parse.
TEST(SettingsBundleTest, RefusesOversizedDocumentsBeforeParsing) {
    const QByteArray valid = sample().encoded();
    const QByteArray atLimit = valid + QByteArray(10'485'760 - valid.size(), ' ');
    EXPECT_NO_THROW((void)SettingsBundle::decode(atLimit));
    EXPECT_THROW((void)SettingsBundle::decode(atLimit + ' '), SettingsBundle::ImportError);
    EXPECT_THROW((void)SettingsBundle::decode(QByteArray(10'485'761, '[')),
                 SettingsBundle::ImportError);
}

// A file under the limit whose setup takes more room once written out (a profile's layout that
// names one section is written with all three) is refused when the setup would not fit an export
// again; one that still fits is taken.
TEST(SettingsBundleTest, RefusesASetupThatWouldNotExportWithinTheLimit) {
    QJsonObject document = parseJson(sample().encoded()).toObject();
    const QJsonObject profile{
        {u"id"_s, u"5E1C0A2B-7F3D-4C1E-9A4B-2D6F8E0C1A35"_s},
        // A long name keeps the number of profiles (and the time taken) down.
        {u"name"_s, QString(1000, u'w')},
        {u"layout"_s,
         QJsonArray{QJsonObject{{u"section"_s, u"hidden"_s},
                                {u"ids"_s, QJsonArray{QJsonObject{{u"bundleID"_s, u"com.a"_s},
                                                                  {u"ordinal"_s, 0}}}}}}}};
    const qsizetype inFile = compactJson(profile).size() + 1;
    const qsizetype writtenOut = compactJson(decodeJson<Profile>(profile).toJson()).size() + 1;
    ASSERT_GT(writtenOut, inFile);
    const qsizetype room = SettingsBundle::kMaxDocumentBytes - compactJson(document).size() - 64;
    const struct {
        qsizetype profiles;
        bool taken;
    } cases[] = {{room / writtenOut, true}, {room / inFile, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.profiles);
        QJsonArray profiles;
        for (qsizetype i = 0; i < c.profiles; ++i) {
            profiles.append(profile);
        }
        document.insert(u"profiles"_s, QJsonObject{{u"profiles"_s, profiles}});
        const QByteArray file = compactJson(document);
        ASSERT_LE(file.size(), SettingsBundle::kMaxDocumentBytes);
        if (c.taken) {
            EXPECT_LE(SettingsBundle::decode(file).encoded().size(),
                      SettingsBundle::kMaxDocumentBytes);
        } else {
            try {
                (void)SettingsBundle::decode(file);
                ADD_FAILURE() << "a setup too large to export again was taken";
            } catch (const SettingsBundle::ImportError &error) {
                EXPECT_EQ(error.reason(), SettingsBundle::ImportError::Reason::tooLarge);
            }
        }
    }
}

TEST(SettingsBundleTest, DecodesStrictlyThenRefusesAnotherFormat) {
    const QByteArray document = sample().encoded();
    expectStrictDecoding<SettingsBundle>(
        document, {u"format"_s, u"settings"_s, u"layout"_s, u"profiles"_s, u"triggers"_s});
    QJsonObject foreign = parseJson(document).toObject();
    foreign.insert(u"format"_s, u"ZORV-SETTINGS-V1"_s);
    EXPECT_THROW((void)SettingsBundle::decode(compactJson(foreign)), SettingsBundle::ImportError);
    // Decoded before the tag is checked, and strictly: unlike the synced settings, the exported
    // ones need every key.
    QJsonObject settings = foreign.value(u"settings"_s).toObject();
    settings.remove(u"cloudSyncEnabled"_s);
    foreign.insert(u"settings"_s, settings);
    EXPECT_THROW((void)SettingsBundle::decode(compactJson(foreign)), DecodeError);
}

const QDateTime kMorning(QDate(2026, 12, 5), QTime(9, 4, 5), Qt::UTC);

SyncedBundle bundle(const QDateTime &updatedAt, const QString &device,
                    const SectionLayout &layout = layoutOf({})) {
    Settings settings;
    settings.itemAliases = {{u"device"_s, device}};
    return SyncedBundle(updatedAt, device + u"-id"_s, device, SyncedSettings(settings), layout,
                        sampleProfiles(device), sampleTriggers(device));
}

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

TEST(SyncedBundleTest, ReadsDatesWithAnOffsetFromUtc) {
    QByteArray wire = bundle(kMorning, u"Office"_s).encoded();
    wire.replace("\"2026-12-05T09:04:05Z\"", "\"2026-12-05T04:04:05-05:00\"");
    EXPECT_EQ(SyncedBundle::decode(wire), bundle(kMorning, u"Office"_s));
    wire.replace("-05:00", "-05");
    EXPECT_THROW((void)SyncedBundle::decode(wire), DecodeError);
}

TEST(SyncedBundleTest, EveryKeyIsRequiredButTheTagIsNotChecked) {
    const QByteArray wire = bundle(kMorning, u"Office"_s).encoded();
    expectStrictDecoding<SyncedBundle>(wire, parseJson(wire).toObject().keys());
    QJsonObject changed = parseJson(wire).toObject();
    changed.insert(u"format"_s, u"zorv-sync-v9"_s);
    EXPECT_EQ(SyncedBundle::decode(compactJson(changed)).format, u"zorv-sync-v9"_s);
}

TEST(SyncedSettingsTest, MissingOrNullKeysTakeTheDefaultsAndOnlySyncedFieldsApply) {
    const Settings everything = decodeJson<Settings>(everySettingJson());
    SyncedSettings expected{Settings()};
    expected.autoRehideSeconds = 3;
    EXPECT_EQ(decodeJson<SyncedSettings>(
                  QByteArray(R"({"autoRehideSeconds": 3, "revealOnHover": null, "x": 1})")),
              expected);
    EXPECT_EQ(decodeJson<SyncedSettings>(SyncedSettings(everything).toJson()),
              SyncedSettings(everything));
    for (const QJsonValue &settings : parseJson(R"([{"liveLayout": "yes"}, {"iconSpacing": 1.5},
        {"appearance": {}}, {"itemAliases": {}}, {"revealShortcut": {"keyCode": 70000,
        "modifiers": 0}}])")
                                          .toArray()) {
        EXPECT_THROW((void)decodeJson<SyncedSettings>(settings), DecodeError);
    }
    // Applying replaces only the synced fields.
    const Settings merged = SyncedSettings(Settings()).applied(everything);
    EXPECT_EQ(SyncedSettings(merged), SyncedSettings(Settings()));
    EXPECT_EQ(SyncedSettings(everything).applied(merged), everything);
}

TEST(SyncedBundleMerge, TheNewerLeadsAndTiesKeepTheReceiver) {
    const SyncedBundle a = bundle(kMorning, u"Office"_s), b = bundle(kMorning, u"Laptop"_s);
    EXPECT_EQ(a.merging(b).settings, a.settings);
    EXPECT_EQ(b.merging(a).settings, b.settings);
    SyncedBundle later = bundle(kMorning.addSecs(1), u"Laptop"_s);
    for (const SyncedBundle &merged : {a.merging(later), later.merging(a)}) {
        EXPECT_EQ(merged.settings, later.settings);
        EXPECT_EQ(merged.deviceID, later.deviceID);
        EXPECT_EQ(merged.updatedAt, later.updatedAt);
        // Each Mac's own profile is kept, the newer one's first.
        ASSERT_EQ(merged.profiles.profiles.size(), 2);
        EXPECT_EQ(merged.profiles.profiles.first(), later.profiles.profiles.first());
        EXPECT_EQ(merged.profiles.activeID, later.profiles.activeID);
    }
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
} // namespace zorv
