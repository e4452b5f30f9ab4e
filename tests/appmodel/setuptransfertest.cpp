#include "appmodelharness.h"
#include "jsonwriter.h"
#include "modelprofiles.h"
#include "modelsync.h"
#include "modeltransfer.h"
#include "storage/atomicfile.h"
#include "storage/wholefile.h"
#include "transfer/encodeerror.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

bool hasProfile(const AppModel &model, const QString &name) {
    return std::any_of(model.profiles().profiles.begin(), model.profiles().profiles.end(),
                       [&name](const Profile &profile) { return profile.name == name; });
}

SettingsBundle importedSetup(AppModelHarness &mac, ProfileSet profiles = {}) {
    Settings settings;
    settings.autoRehideSeconds = 25;
    profiles.profiles.append(Profile{QUuid::createUuid(), u"Imported"_s, {}, {}, {}});
    SectionLayout layout = SectionLayout().normalized();
    layout.sections[Section::hidden].append(mac.engine().mock().items().first().id);
    return SettingsBundle(mac.model().clock().wallNow(), settings, layout, profiles, {});
}

// N profiles whose layouts hold a few items each: nested enough that the pretty form is several
// times the compact one.
ProfileSet manyProfiles(int count, const QList<MenuBarItem> &items) {
    SectionLayout layout;
    for (const MenuBarItem &item : items.mid(0, 4)) {
        layout.sections[Section::hidden].append(item.id);
    }
    ProfileSet profiles;
    for (int index = 0; index < count; ++index) {
        profiles.profiles.append(
            Profile{QUuid::createUuid(), u"Profile %1"_s.arg(index), layout, {}, {}});
    }
    return profiles;
}

// The value as the file holds it (a profile's layout, for one, leaves out system items).
template <StoreValue Value> Value stored(const Value &value) {
    return fromStoreJson<Value>(toStoreJson(value));
}

class SetupTransferTest : public ::testing::Test {
protected:
    ManualClock clock;
    SimCloud cloud;

    template <typename Value>
    [[nodiscard]] static Value onDisk(AppModelHarness &mac, const QString &file) {
        RecordingSystemLog log;
        return JSONStore<Value>::peek(file, Value{}, mac.dataFolder(), log);
    }
    [[nodiscard]] static int backupCount(AppModel &model) {
        return int(QDir(model.backupsFolder()).entryList({u"before-import-*.json"_s}).size());
    }
};

// A save made while an import waits for the engine lands on top of the imported setup, and the
// model, the files and the next start all show the same.
TEST_F(SetupTransferTest, ASaveDuringAnImportBuildsOnTheImportedSetup) {
    const struct {
        const char *name;
        bool syncing;
        std::function<void(AppModelHarness &)> during;
        std::function<bool(const AppModel &)> kept;
    } cases[] = {
        {"a settings toggle", false,
         [](AppModelHarness &mac) { mac.model().setRevealOnScroll(true); },
         [](const AppModel &model) { return model.settings().revealOnScroll; }},
        {"a new profile", false,
         [](AppModelHarness &mac) { mac.model().profileOps().saveProfileFromCurrent(u"During"_s); },
         [](const AppModel &model) { return hasProfile(model, u"During"_s); }},
        {"another Mac's record", true,
         [this](AppModelHarness &mac) {
             SimCloudKeyValueStore other(cloud, u"Mac B"_s);
             ProfileSet profiles;
             profiles.profiles.append(Profile{QUuid::createUuid(), u"From B"_s, {}, {}, {}});
             const SyncedBundle record(mac.model().clock().wallNow().addSecs(-10), u"B"_s,
                                       u"Mac B"_s, SyncedSettings(Settings{}), {}, profiles, {});
             other.setData(record.encoded(), CloudSync::storeKey);
             QCoreApplication::processEvents();
         },
         [](const AppModel &model) { return hasProfile(model, u"From B"_s); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        AppModelHarness mac(clock, cloud);
        AppModel &model = mac.started();
        if (c.syncing) {
            model.sync().setCloudSync(true);
            clock.settle();
        }
        mac.engine().holdApplies(seconds(2));
        auto commit = model.transfer().commitImportedSetup(importedSetup(mac));
        c.during(mac);
        clock.advance(seconds(3));
        EXPECT_TRUE(QFile::exists(runTask(std::move(commit))));
        clock.advance(seconds(1));

        EXPECT_EQ(model.settings().autoRehideSeconds, 25);
        EXPECT_TRUE(hasProfile(model, u"Imported"_s));
        EXPECT_TRUE(c.kept(model));
        EXPECT_EQ(onDisk<Settings>(mac, u"settings.json"_s), model.settings());
        EXPECT_EQ(onDisk<ProfileSet>(mac, u"profiles.json"_s), stored(model.profiles()));
        const Settings settings = model.settings();
        const ProfileSet profiles = stored(model.profiles());
        mac.quit();
        AppModel &next = mac.started();
        EXPECT_EQ(next.settings(), settings);
        EXPECT_EQ(next.profiles(), profiles);
    }
}

TEST_F(SetupTransferTest, ARolledBackImportPutsBackTheVeryBytesOfEachFile) {
    AppModelHarness mac(clock, cloud);
    QJsonObject settings = toStoreJson(Settings{}).toObject();
    settings.insert(u"optionOfALaterVersion"_s, true);
    QJsonObject profiles = toStoreJson(manyProfiles(1, MockMenuBarEngine::fixtures())).toObject();
    profiles.insert(u"note"_s, u"kept"_s);
    struct {
        QString file;
        std::optional<QByteArray> bytes;
    } files[] = {
        {u"settings.json"_s, *writeJson(settings, JsonFormat::compact())},
        {u"profiles.json"_s, *writeJson(profiles, JsonFormat::pretty()) + "\n"},
        {u"triggers.json"_s, std::nullopt},
        {u"layout.json"_s, std::nullopt},
    };
    for (const auto &file : files) {
        if (file.bytes) {
            ASSERT_FALSE(writeFileAtomically(mac.dataFolder() + u'/' + file.file, *file.bytes,
                                             FileDurability::Unsynced));
        }
    }
    AppModel &model = mac.started();
    // The layout the engine reported at start is written after the quiet period.
    clock.advance(seconds(1));
    files[3].bytes = readWholeFile(mac.dataFolder() + u"/layout.json"_s);
    ASSERT_TRUE(files[3].bytes);
    mac.engine().failApplies(1);
    EXPECT_THROW(runTask(model.transfer().commitImportedSetup(importedSetup(mac))),
                 SetupImportError);
    for (const auto &file : files) {
        SCOPED_TRACE(file.file.toStdString());
        EXPECT_EQ(readWholeFile(mac.dataFolder() + u'/' + file.file), file.bytes);
    }
    EXPECT_FALSE(hasProfile(model, u"Imported"_s));
}

TEST_F(SetupTransferTest, TheLargestExportAndItsBackupImportBack) {
    AppModelHarness mac(clock, cloud);
    AppModel &model = mac.started();
    // About 6 MB compact, more than 10 MB pretty-printed.
    model.setProfiles(manyProfiles(14000, mac.engine().mock().items()));
    model.persistProfiles();
    const ProfileSet large = model.profiles();
    ASSERT_GT(writeJson(large.toJson(), JsonFormat::pretty())->size(),
              SettingsBundle::kMaxDocumentBytes);
    const QString file = mac.dataFolder() + u"/export.json"_s;
    ASSERT_TRUE(runTask(model.transfer().exportSettings(file)));
    EXPECT_LE(QFileInfo(file).size(), SettingsBundle::kMaxDocumentBytes);

    model.setProfiles({});
    const QString backup = runTask(model.transfer().importSettings(file));
    EXPECT_EQ(model.profiles(), large);
    // The backup of a setup that large restores it too.
    model.setProfiles(large);
    model.persistProfiles();
    const QString largeBackup = runTask(model.transfer().commitImportedSetup(importedSetup(mac)));
    EXPECT_LE(QFileInfo(largeBackup).size(), SettingsBundle::kMaxDocumentBytes);
    (void)runTask(model.transfer().importSettings(largeBackup));
    EXPECT_EQ(model.profiles(), large);
    EXPECT_TRUE(QFile::exists(backup));
}

TEST_F(SetupTransferTest, ASetupTooLargeToReadBackIsNeitherExportedNorBackedUp) {
    AppModelHarness mac(clock, cloud);
    AppModel &model = mac.started();
    model.setProfiles(manyProfiles(30000, mac.engine().mock().items()));
    const QString message = EncodeError(EncodeError::Reason::TooLarge).message();

    EXPECT_FALSE(runTask(model.transfer().exportSettings(mac.dataFolder() + u"/export.json"_s)));
    EXPECT_EQ(mac.log.lines().last(), u"Zorv: could not export the settings: "_s + message);
    const ProfileSet before = model.profiles();
    try {
        runTask(model.transfer().commitImportedSetup(importedSetup(mac)));
        ADD_FAILURE() << "the import went through without a backup";
    } catch (const EncodeError &error) {
        EXPECT_EQ(error.message(), message);
    }
    EXPECT_EQ(backupCount(model), 0);
    EXPECT_FALSE(model.isImporting());
    EXPECT_EQ(model.profiles(), before);
}

// Rules nested as deep as a rules file may be export and import back; one level deeper, the
// file is set aside at start (so export and import keep working), and a failing push is logged.
TEST_F(SetupTransferTest, WhatLoadsExportsAndAFailingPushIsLogged) {
    const auto nested = [](int nots, bool withAll) {
        TriggerCondition condition = TriggerCondition::onBattery();
        for (int i = 0; i < nots; ++i) {
            condition = TriggerCondition::not_(condition);
        }
        if (withAll) {
            condition = TriggerCondition::allOf({condition});
        }
        return TriggerSet{{TriggerRule{QUuid::createUuid(), u"Deep"_s, true, condition,
                                       TriggerAction::revealHidden()}}};
    };
    // The set, its list and the rule take three levels, the innermost case two, each "not" two
    // and an "all" three.
    const struct {
        const char *name;
        TriggerSet rules;
        bool loads;
    } cases[] = {{"as deep as a rules file may be", nested(97, false), true},
                 {"as deep as the reader goes", nested(96, true), false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        AppModelHarness mac(clock, cloud);
        ASSERT_FALSE(writeFileAtomically(mac.dataFolder() + u"/triggers.json"_s,
                                         *writeJson(toStoreJson(c.rules), JsonFormat::pretty()),
                                         FileDurability::Unsynced));
        AppModel &model = mac.started();
        EXPECT_EQ(model.triggers() == c.rules, c.loads);
        EXPECT_EQ(mac.log.lines().size(), c.loads ? 0 : 1);
        const QString file = mac.dataFolder() + u"/export.json"_s;
        ASSERT_TRUE(runTask(model.transfer().exportSettings(file)));
        EXPECT_NO_THROW((void)runTask(model.transfer().importSettings(file)));
        EXPECT_EQ(model.triggers() == c.rules, c.loads);
    }

    AppModelHarness mac(clock, cloud);
    AppModel &model = mac.started();
    model.sync().setCloudSync(true);
    clock.settle();
    const qsizetype logged = mac.log.lines().size();
    model.setAutoRehide(std::numeric_limits<double>::quiet_NaN());
    model.setRevealOnHover(true);
    ASSERT_EQ(mac.log.lines().size(), logged + 1);
    EXPECT_EQ(mac.log.lines().last(),
              u"Zorv: could not sync the settings: "_s + EncodeError().message());
    model.setAutoRehide(10);
    EXPECT_EQ(SyncedBundle::decode(*cloud.data(CloudSync::storeKey)).settings.autoRehideSeconds,
              10);
}

// With sync off a save does no sync bookkeeping at all; turning sync on stamps what changed.
TEST_F(SetupTransferTest, WithSyncOffASaveKeepsNoSyncState) {
    AppModelHarness mac(clock, cloud);
    AppModel &model = mac.started();
    model.setAutoRehide(20);
    model.profileOps().saveProfileFromCurrent(u"Work"_s);
    clock.advance(seconds(1));
    EXPECT_FALSE(QFile::exists(mac.dataFolder() + u"/sync-state.json"_s));
    model.sync().setCloudSync(true);
    clock.settle();
    EXPECT_TRUE(QFile::exists(mac.dataFolder() + u"/sync-state.json"_s));
    EXPECT_EQ(SyncedBundle::decode(*cloud.data(CloudSync::storeKey)).settings.autoRehideSeconds,
              20);
}

TEST_F(SetupTransferTest, WritesCutShortByACrashAreCleanedUpAtStart) {
    AppModelHarness mac(clock, cloud);
    const QString root = mac.dataFolder();
    ASSERT_TRUE(QDir().mkpath(root + u"/icons"_s));
    const struct {
        QString path;
        bool removed;
    } files[] = {
        {u"diagnostics.json.writing-AbCdEf"_s, true},
        {u"events.jsonl.writing-qwerty"_s, true},
        {u"icons/com.example.png.writing-ZyXwVu"_s, true},
        {u"diagnostics.json"_s, false},
        {u"notes.writing-123456"_s, false},
        {u"notes.writing-abc"_s, false},
    };
    for (const auto &file : files) {
        ASSERT_FALSE(writeFileAtomically(root + u'/' + file.path, "x", FileDurability::Unsynced));
    }
    (void)mac.build();
    for (const auto &file : files) {
        EXPECT_EQ(QFile::exists(root + u'/' + file.path), !file.removed) << file.path.toStdString();
    }
}

} // namespace
} // namespace zorv
