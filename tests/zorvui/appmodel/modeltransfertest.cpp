#include "appmodel/modeltransfer.h"
#include "appmodelharness.h"
#include "storage/atomicfile.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

class ModelTransferTest : public ::testing::Test {
protected:
    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock, cloud, u"Mac"_s};
    AppModel &model = mac.started();

    // A setup from another Mac: every field differs from this one's defaults.
    [[nodiscard]] SettingsBundle foreignSetup() {
        Settings settings;
        settings.version = 7;
        settings.autoRehideSeconds = 25;
        settings.launchAtLogin = true;
        settings.showInDockAndSwitcher = false;
        settings.cloudSyncEnabled = true;
        settings.onboardingCompleted = true;
        settings.seenPaneGuides = {u"arrange"_s};
        settings.iconSpacing = 99;
        ProfileSet profiles;
        profiles.profiles.append(Profile{QUuid::createUuid(), u"Imported"_s, {}, {}, {}});
        SectionLayout layout = SectionLayout().normalized();
        layout.sections[Section::hidden].append(mac.engine().mock().items().first().id);
        return SettingsBundle(clock.wallNow(), settings, layout, profiles, TriggerSet());
    }
    [[nodiscard]] int backupCount() const {
        return int(QDir(model.backupsFolder()).entryList({u"before-import-*.json"_s}).size());
    }
};

TEST_F(ModelTransferTest, ImportTakesTheSetupButKeepsThisMacsOwnSettings) {
    model.setIconSpacing(20);
    const Settings local = model.settings();
    const int evaluations = int(mac.fakes.runner->evaluations.size());
    const QString file = mac.dataFolder() + u"/setup.json"_s;
    ASSERT_FALSE(writeFileAtomically(file, foreignSetup().encoded(), FileDurability::Unsynced));
    const QString backup = runTask(model.transfer().importSettings(file));

    EXPECT_TRUE(QFile::exists(backup));
    // This Mac's own settings stay, and 99 is beyond what the Spacing pane offers.
    Settings expected = foreignSetup().settings;
    expected.launchAtLogin = local.launchAtLogin;
    expected.showInDockAndSwitcher = local.showInDockAndSwitcher;
    expected.cloudSyncEnabled = local.cloudSyncEnabled;
    expected.onboardingCompleted = local.onboardingCompleted;
    expected.iconSpacing = 20;
    EXPECT_EQ(model.settings(), expected);
    EXPECT_EQ(model.profiles().profiles.first().name, u"Imported"_s);
    EXPECT_EQ(model.layoutOrder(), foreignSetup().layout);
    EXPECT_TRUE(model.lastSavedAt());
    EXPECT_FALSE(model.isImporting());
    EXPECT_EQ(int(mac.fakes.runner->evaluations.size()), evaluations + 1);

    const QString exported = mac.dataFolder() + u"/exported.json"_s;
    EXPECT_TRUE(runTask(model.transfer().exportSettings(exported)));
    EXPECT_FALSE(runTask(model.transfer().exportSettings(mac.dataFolder() + u"/no/such/x.json"_s)));
}

TEST_F(ModelTransferTest, AFailedCommitPutsEverythingBack) {
    const struct {
        int failingApplies;
        bool blockRulesFile;
        QString message;
    } cases[] = {
        {1, false,
         u"Import failed. Your previous setup was restored. A backup is in Your Data → backups."_s},
        {2, false,
         u"Import failed. Your previous files were restored, but the menu-bar layout could not be "
         u"reapplied. A backup is in Your Data → backups."_s},
        {0, true,
         u"Import failed. A backup of your previous setup is in Your Data → backups; some files "
         u"could not be restored."_s},
    };
    const Settings settings = model.settings();
    const SectionLayout layout = model.layoutOrder();
    int backups = backupCount();
    for (const auto &c : cases) {
        mac.engine().failApplies(c.failingApplies);
        const QString rules = mac.dataFolder() + u"/triggers.json"_s;
        if (c.blockRulesFile) {
            QFile::remove(rules);
            ASSERT_TRUE(QDir().mkpath(rules + u"/blocked"_s));
        }
        try {
            runTask(model.transfer().commitImportedSetup(foreignSetup()));
            ADD_FAILURE() << "the import went through";
        } catch (const SetupImportError &error) {
            EXPECT_EQ(error.code(), SetupImportError::Code::importFailed);
            EXPECT_EQ(error.localizedDescription(), c.message);
            EXPECT_TRUE(QFile::exists(error.backupPath()));
        }
        EXPECT_EQ(backupCount(), ++backups);
        EXPECT_EQ(model.settings(), settings);
        EXPECT_EQ(model.settingsStore().value(), settings);
        EXPECT_TRUE(model.profilesStore().value().profiles.isEmpty());
        EXPECT_EQ(model.layoutStore().value(), layout);
        EXPECT_EQ(model.layoutOrder(), layout);
        EXPECT_FALSE(model.isImporting());
    }
}

TEST_F(ModelTransferTest, ASecondImportIsRefusedWhileOneRuns) {
    mac.engine().holdApplies(seconds(2));
    auto first = model.transfer().commitImportedSetup(foreignSetup());
    EXPECT_TRUE(model.isImporting());
    try {
        runTask(model.transfer().commitImportedSetup(foreignSetup()));
        ADD_FAILURE() << "the second import went through";
    } catch (const SetupImportError &error) {
        EXPECT_EQ(error.code(), SetupImportError::Code::alreadyRunning);
        EXPECT_EQ(error.localizedDescription(), u"Another import is already running."_s);
    }
    EXPECT_TRUE(model.isImporting());
    EXPECT_EQ(backupCount(), 1);
    clock.advance(seconds(3));
    EXPECT_TRUE(QFile::exists(runTask(std::move(first))));
    EXPECT_FALSE(model.isImporting());
}

TEST_F(ModelTransferTest, FilesBeyondTenMegabytesAreRefusedUnread) {
    const QByteArray encoded = foreignSetup().encoded();
    const struct {
        qint64 size;
        bool accepted;
    } cases[] = {{SettingsBundle::kMaxDocumentBytes, true},
                 {SettingsBundle::kMaxDocumentBytes + 1, false}};
    for (const auto &c : cases) {
        const QString file = mac.dataFolder() + u"/big.json"_s;
        QByteArray padded = encoded;
        padded.append(QByteArray(c.size - encoded.size(), ' '));
        ASSERT_FALSE(writeFileAtomically(file, padded, FileDurability::Unsynced));
        try {
            (void)runTask(model.transfer().importSettings(file));
            EXPECT_TRUE(c.accepted);
        } catch (const SettingsImportError &error) {
            EXPECT_FALSE(c.accepted);
            EXPECT_EQ(error.errorDescription(), u"The settings file is larger than 10 MB."_s);
        }
    }
}

} // namespace
} // namespace zorv
