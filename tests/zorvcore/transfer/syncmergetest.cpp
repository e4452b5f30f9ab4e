#include "transfer/syncmerge.h"
#include "jsonwriter.h"
#include "transfer/encodeerror.h"
#include "transfer/settingsbundle.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QUuid idOf(const QString &name) {
    return QUuid::createUuidV5(QUuid(), name);
}

Profile profile(const QString &name, const QString &version = {}) {
    return Profile{idOf(name), name + version, {}, {}, {}};
}

TriggerRule rule(const QString &name) {
    return TriggerRule{idOf(name), name, true, TriggerCondition::onBattery(),
                       TriggerAction::revealHidden()};
}

SyncedBundle bundle(const QString &device, int second, QList<Profile> profiles,
                    QList<TriggerRule> rules = {}, QSet<QUuid> deletedProfiles = {}) {
    Settings settings;
    settings.autoRehideSeconds = second;
    return SyncedBundle(QDateTime(QDate(2026, 12, 1), QTime(9, 0, second), Qt::UTC), device, device,
                        SyncedSettings(settings), {}, ProfileSet{std::move(profiles), {}},
                        TriggerSet{std::move(rules)},
                        SyncedIdentifiers{std::move(deletedProfiles), {}});
}

QStringList names(const SyncedBundle &bundle) {
    QStringList names;
    for (const Profile &profile : bundle.profiles.profiles) {
        names.append(profile.name);
    }
    return names;
}

TEST(SyncMergeTest, KeepsWhatEitherSideMadeAndDropsWhatEitherDeleted) {
    const struct {
        const char *name;
        SyncedBundle newer;
        SyncedBundle older;
        QStringList profiles;
    } cases[] = {
        {"each side's own profiles",
         bundle(u"A"_s, 2, {profile(u"a"_s)}),
         bundle(u"B"_s, 1, {profile(u"b"_s)}),
         {u"a"_s, u"b"_s}},
        {"a profile both hold takes the newer version",
         bundle(u"A"_s, 2, {profile(u"a"_s, u" 2"_s)}),
         bundle(u"B"_s, 1, {profile(u"a"_s)}),
         {u"a 2"_s}},
        {"a deletion on the older side",
         bundle(u"A"_s, 2, {profile(u"a"_s), profile(u"b"_s)}),
         bundle(u"B"_s, 1, {profile(u"a"_s)}, {}, {idOf(u"b"_s)}),
         {u"a"_s}},
        {"a deletion on the newer side",
         bundle(u"A"_s, 2, {}, {}, {idOf(u"a"_s)}),
         bundle(u"B"_s, 1, {profile(u"a"_s), profile(u"b"_s)}),
         {u"b"_s}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const SyncedBundle merged = mergeSyncedBundles(c.newer, c.older);
        EXPECT_EQ(names(merged), c.profiles);
        EXPECT_EQ(merged.settings, c.newer.settings);
        EXPECT_EQ(merged.updatedAt, c.newer.updatedAt);
        EXPECT_EQ(merged.deleted, c.newer.deleted.united(c.older.deleted));
    }
    const SyncedBundle merged = mergeSyncedBundles(bundle(u"A"_s, 2, {}, {rule(u"x"_s)}),
                                                   bundle(u"B"_s, 1, {}, {rule(u"y"_s)}));
    EXPECT_EQ(merged.triggers.rules, (QList<TriggerRule>{rule(u"x"_s), rule(u"y"_s)}));
}

TEST(SyncMergeTest, DeletionsTravelOnlyWhenThereAreAny) {
    const SyncedBundle plain = bundle(u"A"_s, 1, {profile(u"a"_s)});
    EXPECT_FALSE(plain.encoded().contains("deleted"));
    EXPECT_EQ(SyncedBundle::decode(plain.encoded()), plain);
    const SyncedBundle deleting = bundle(u"A"_s, 1, {}, {}, {idOf(u"a"_s)});
    EXPECT_EQ(SyncedBundle::decode(deleting.encoded()), deleting);
    EXPECT_FALSE(deleting.contentEquals(bundle(u"A"_s, 1, {})));
}

// An export is compact once the pretty form would pass the import limit, and refused once even
// the compact form would.
TEST(SettingsBundleSizeTest, WhatIsWrittenAlwaysImportsBack) {
    const auto withAliases = [](int count) {
        Settings settings;
        for (int index = 0; index < count; ++index) {
            settings.itemAliases.append(ItemAlias{u"com.example.app%1"_s.arg(index), u"alias"_s});
        }
        return SettingsBundle(std::nullopt, settings, {}, {}, {});
    };
    const struct {
        int aliases;
        bool pretty;
        bool written;
    } cases[] = {{1000, true, true}, {150'000, false, true}, {240'000, false, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.aliases);
        const SettingsBundle setup = withAliases(c.aliases);
        try {
            const QByteArray bytes = setup.encoded();
            EXPECT_TRUE(c.written);
            EXPECT_EQ(bytes.startsWith("{\n"), c.pretty);
            EXPECT_EQ(SettingsBundle::decode(bytes), setup);
        } catch (const EncodeError &error) {
            EXPECT_FALSE(c.written);
            EXPECT_EQ(error.reason(), EncodeError::Reason::TooLarge);
        }
    }
}

// A rules set as deep as a store file may hold still fits inside an export; one level deeper
// does not read.
TEST(TriggerSetDepthTest, ASetThatReadsFitsInsideABundle) {
    const auto nested = [](int nots, bool withAll) {
        TriggerCondition condition = TriggerCondition::onBattery();
        for (int i = 0; i < nots; ++i) {
            condition = TriggerCondition::not_(condition);
        }
        if (withAll) {
            condition = TriggerCondition::allOf({condition});
        }
        return TriggerSet{{TriggerRule{idOf(u"deep"_s), u"deep"_s, true, condition,
                                       TriggerAction::revealHidden()}}};
    };
    // The set, its list, the rule and the innermost case take five levels, each "not" two and
    // an "all" three.
    const struct {
        TriggerSet rules;
        bool reads;
    } cases[] = {{nested(97, false), true}, {nested(96, true), false}};
    for (const auto &c : cases) {
        const QJsonValue json = c.rules.toJson();
        if (c.reads) {
            EXPECT_EQ(JsonValueRef(json).as<TriggerSet>(), c.rules);
            const SettingsBundle exported(std::nullopt, {}, {}, {}, c.rules);
            EXPECT_EQ(SettingsBundle::decode(exported.encoded()), exported);
        } else {
            EXPECT_THROW((void)JsonValueRef(json).as<TriggerSet>(), DecodeError);
        }
    }
}

} // namespace
} // namespace zorv
