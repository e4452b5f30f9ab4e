#include "../settings/jsontesting.h"
#include "decodeerror.h"
#include "jsonwriter.h"
#include "profiles/uuidtext.h"
#include "transfer/encodeerror.h"
#include "transfer/settingsbundle.h"
#include "transfer/syncedbundle.h"

#include <QJsonObject>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using namespace zorv::testing;

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
        const SyncedBundle merged = c.newer.merging(c.older);
        EXPECT_EQ(names(merged), c.profiles);
        EXPECT_EQ(merged.settings, c.newer.settings);
        EXPECT_EQ(merged.updatedAt, c.newer.updatedAt);
        EXPECT_EQ(merged.deleted, c.newer.deleted.united(c.older.deleted));
    }
    const SyncedBundle merged =
        bundle(u"A"_s, 2, {}, {rule(u"x"_s)}).merging(bundle(u"B"_s, 1, {}, {rule(u"y"_s)}));
    EXPECT_EQ(merged.triggers.rules, (QList<TriggerRule>{rule(u"x"_s), rule(u"y"_s)}));
}

QDateTime at(int second) {
    return QDateTime(QDate(2026, 12, 1), QTime(9, 0, second), Qt::UTC);
}

// Each part of a bundle dated `second` unless `changedAt` dates it otherwise.
SyncedBundle stamped(SyncedBundle bundle, const std::function<void(SyncedStamps &)> &changedAt) {
    changedAt(bundle.stamps);
    return bundle;
}

TEST(SyncMergeTest, EachPartComesFromTheSideThatChangedItLast) {
    const MenuBarItemID a(u"com.a"_s, std::nullopt, u"A"_s, 0);
    const MenuBarItemID b(u"com.b"_s, std::nullopt, u"B"_s, 0);
    SyncedBundle newer = bundle(u"A"_s, 9, {profile(u"p"_s, u" newer"_s), profile(u"q"_s)},
                                {rule(u"r"_s), rule(u"s"_s)});
    newer.layout = SectionLayout{{{Section::shown, {a}}}}.normalized();
    newer.profiles.activeID = idOf(u"p"_s);
    newer = stamped(newer, [](SyncedStamps &stamps) {
        stamps.settings = stamps.layout = stamps.activeProfile = at(1);
        stamps.profiles[idOf(u"p"_s)] = at(1);
        stamps.rules[idOf(u"s"_s)] = at(2);
    });
    SyncedBundle older =
        bundle(u"B"_s, 5, {profile(u"p"_s, u" older"_s), profile(u"q"_s, u" older"_s)},
               {rule(u"r"_s), rule(u"s"_s)});
    older.layout = SectionLayout{{{Section::hidden, {a, b}}}}.normalized();
    older.profiles.activeID = idOf(u"q"_s);
    older.triggers.rules[0].name = u"r older"_s;
    older.triggers.rules[1].name = u"s older"_s;
    older = stamped(older, [](SyncedStamps &) {});

    // The older bundle changed the settings, the layout, the active profile, profile "p" and
    // rule "s" after the newer one did; "q" and rule "r" changed last on the newer side. Each
    // part keeps the date of the side it came from, so the next merge weighs it rightly.
    for (const SyncedBundle &merged : {newer.merging(older), older.merging(newer)}) {
        EXPECT_EQ(merged.settings, older.settings);
        EXPECT_EQ(merged.layout, (SectionLayout{{{Section::hidden, {a, b}}}}.normalized()));
        EXPECT_EQ(merged.profiles.activeID, idOf(u"q"_s));
        EXPECT_EQ(names(merged), (QStringList{u"p older"_s, u"q"_s}));
        ASSERT_EQ(merged.triggers.rules.size(), 2);
        EXPECT_EQ(merged.triggers.rules[0].name, u"r"_s);
        EXPECT_EQ(merged.triggers.rules[1].name, u"s older"_s);
        EXPECT_EQ(merged.updatedAt, at(9));
        EXPECT_EQ(merged.stamps.settings, at(5));
        EXPECT_EQ(merged.stamps.layout, at(5));
        EXPECT_EQ(merged.stamps.activeProfile, at(5));
        EXPECT_EQ(merged.stamps.profiles,
                  (QHash<QUuid, QDateTime>{{idOf(u"p"_s), at(5)}, {idOf(u"q"_s), at(9)}}));
        EXPECT_EQ(merged.stamps.rules,
                  (QHash<QUuid, QDateTime>{{idOf(u"r"_s), at(9)}, {idOf(u"s"_s), at(5)}}));
    }
    // A tie goes to the newer bundle, part by part too.
    older = stamped(older, [](SyncedStamps &stamps) { stamps.settings = at(1); });
    EXPECT_EQ(older.merging(newer).settings, newer.settings);
}

TEST(SyncMergeTest, RecordsWithoutPartStampsMergeAsWholeRecords) {
    const SyncedBundle newer = bundle(u"A"_s, 2, {profile(u"a"_s, u" 2"_s)});
    const SyncedBundle older = SyncedBundle::decode(bundle(u"B"_s, 1, {profile(u"a"_s)}).encoded());
    ASSERT_FALSE(newer.encoded().contains("stamps"));
    for (const SyncedBundle &merged : {newer.merging(older), older.merging(newer)}) {
        EXPECT_EQ(merged.settings, newer.settings);
        EXPECT_EQ(names(merged), QStringList{u"a 2"_s});
        EXPECT_TRUE(merged.stamps.allAt(at(2)));
    }
}

TEST(SyncMergeTest, PartStampsTravelOnlyWhenAPartIsOlderThanItsRecord) {
    const SyncedBundle uniform = bundle(u"A"_s, 7, {profile(u"a"_s)}, {rule(u"r"_s)});
    EXPECT_FALSE(uniform.encoded().contains("stamps"));
    const SyncedBundle aged = stamped(uniform, [](SyncedStamps &stamps) {
        stamps.layout = at(3);
        stamps.rules[idOf(u"r"_s)] = at(4);
    });
    const SyncedBundle received = SyncedBundle::decode(aged.encoded());
    EXPECT_EQ(received, aged);
    EXPECT_TRUE(received.contentEquals(uniform));

    // Any one part older than its record is enough for the stamps to travel.
    const std::pair<const char *, std::function<void(SyncedStamps &)>> oneOlder[] = {
        {"settings", [](SyncedStamps &stamps) { stamps.settings = at(3); }},
        {"layout", [](SyncedStamps &stamps) { stamps.layout = at(3); }},
        {"active profile", [](SyncedStamps &stamps) { stamps.activeProfile = at(3); }},
        {"profile", [](SyncedStamps &stamps) { stamps.profiles[idOf(u"a"_s)] = at(3); }},
        {"rule", [](SyncedStamps &stamps) { stamps.rules[idOf(u"r"_s)] = at(3); }},
    };
    for (const auto &[part, age] : oneOlder) {
        SCOPED_TRACE(part);
        const SyncedBundle partAged = stamped(uniform, age);
        EXPECT_TRUE(partAged.encoded().contains("stamps"));
        EXPECT_EQ(SyncedBundle::decode(partAged.encoded()), partAged);
    }

    // A profile the stamps do not date dates from the record; a date for an id the record does
    // not hold is dropped; a malformed date or id fails the record.
    QJsonObject object = parseJson(aged.encoded()).toObject();
    QJsonObject stamps = object.value(u"stamps"_s).toObject();
    stamps.insert(u"profiles"_s,
                  QJsonObject{{uuidText(idOf(u"gone"_s)), u"2026-12-01T09:00:01Z"_s}});
    object.insert(u"stamps"_s, stamps);
    const SyncedBundle partly = SyncedBundle::decode(compactJson(object));
    EXPECT_EQ(partly.stamps.profiles, (QHash<QUuid, QDateTime>{{idOf(u"a"_s), at(7)}}));
    for (const auto &[key, value] :
         {std::pair{u"rules"_s, QJsonValue(QJsonObject{{u"x"_s, u"2026-12-01T09:00:01Z"_s}})},
          std::pair{u"layout"_s, QJsonValue(u"yesterday"_s)},
          std::pair{u"settings"_s, QJsonValue()}}) {
        QJsonObject broken = stamps;
        broken.insert(key, value);
        object.insert(u"stamps"_s, broken);
        EXPECT_THROW((void)SyncedBundle::decode(compactJson(object)), DecodeError)
            << key.toStdString();
    }
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
