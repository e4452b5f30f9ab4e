#include "generalpanemodel.h"
#include "settingsfixture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

class GeneralPaneTest : public ::testing::Test, protected SettingsFixture {
protected:
    GeneralPaneTest() {
        pane.setView(&view);
        pane.setProperty("services", QVariant::fromValue(&services));
    }

    QString file(const QString &name, const QByteArray &bytes) {
        const QString path = folder.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }
    // Chooses `path` in the open panel, confirms, and waits for the import to end.
    void import(const QString &path) {
        panels.userWillChoose(path);
        pane.chooseImport();
        settle();
        ASSERT_TRUE(pane.confirmingImport());
        pane.confirmImport();
        settle();
    }

    QTemporaryDir folder;
    GeneralPaneModel pane;
};

TEST_F(GeneralPaneTest, NotesFollowTheSettings) {
    SettingsProperties &settings = *view.settings();
    settings.setShowInDockAndSwitcher(true);
    EXPECT_TRUE(pane.dockNote().isNull());
    settings.setShowInDockAndSwitcher(false);
    EXPECT_EQ(pane.dockNote(), u"Zorv runs from the menu bar only."_s);

    EXPECT_TRUE(pane.hideIconNote().isNull());
    settings.setHideZorvIcon(true);
    EXPECT_EQ(pane.hideIconNote(), u"{⌥⌘S} still works. Open Zorv again for Settings."_s);
    settings.setRevealShortcut(QVariantMap{{u"keyCode"_s, 11}, {u"modifiers"_s, 0x140000}});
    EXPECT_EQ(pane.hideIconNote(), u"{⌃⌘B} still works. Open Zorv again for Settings."_s);

    settings.setIconClickOpensMenu(true);
    EXPECT_EQ(pane.iconClickNote(),
              u"Right-click reveals your hidden items. Add {option} to include Always Hidden."_s);
    settings.setIconClickOpensMenu(false);
    EXPECT_EQ(pane.iconClickNote(),
              u"Right-click opens Zorv's menu. Add {option} to a click to include Always "
              u"Hidden."_s);

    settings.setLiveLayout(false);
    EXPECT_EQ(pane.layoutNote(), u"On-Demand leaves the bar alone until you press Sort My Bar."_s);
    EXPECT_EQ(pane.syncNote(), u"Keeps your setup the same on all your Macs."_s);
}

// The slider stops at its ends; the readout says what the engine waits, also for a delay a
// synced, imported or hand-edited file put beyond the slider's end.
TEST_F(GeneralPaneTest, TheAutoHideReadoutSaysWhatTheEngineWaits) {
    struct Case {
        double stored;
        double slider;
        const char16_t *readout;
    };
    const Case cases[] = {
        {0, 0, u"Never"},
        {30, 30, u"30s"},
        {7.9, 7.9, u"7s"},
        {-4, 0, u"Never"},
        {60, 30, u"60s"},
        {1e300, 30, u"3600s"},
        {std::numeric_limits<double>::infinity(), 10, u"10s"},
        {std::numeric_limits<double>::quiet_NaN(), 10, u"10s"},
    };
    for (const Case &c : cases) {
        Settings settings = model.settings();
        settings.autoRehideSeconds = c.stored;
        model.setSettings(settings);
        EXPECT_EQ(pane.autoHideSeconds(), c.slider) << c.stored;
        EXPECT_EQ(pane.autoHideReadout(), QString::fromUtf16(c.readout)) << c.stored;
    }
}

TEST_F(GeneralPaneTest, TheLoginSwitchShowsWhatTheSystemReports) {
    pane.setLaunchAtLogin(true);
    EXPECT_TRUE(pane.launchAtLogin());

    mac.loginItems.setRefusal(u"Operation not permitted"_s);
    pane.setLaunchAtLogin(false);
    EXPECT_TRUE(pane.launchAtLogin());
    EXPECT_TRUE(mac.loginItems.isMainAppEnabled());

    // Changed behind the pane's back: read again when the pane is shown.
    mac.loginItems.setRefusal(std::nullopt);
    ASSERT_EQ(mac.loginItems.setMainAppEnabled(false), std::nullopt);
    pane.appear();
    EXPECT_FALSE(pane.launchAtLogin());
}

TEST_F(GeneralPaneTest, ExportWritesTheChosenFileAndACancelChangesNothing) {
    panels.userWillChoose(std::nullopt);
    pane.exportSetup();
    settle();
    EXPECT_EQ(pane.backupNote(), u"Import replaces your current setup."_s);
    EXPECT_EQ(panels.shown().front(),
              (SimFilePanels::Shown{SimFilePanels::Kind::save, u"zorv-settings.json"_s}));

    const QString path = folder.filePath(u"zorv-settings.json"_s);
    panels.userWillChoose(path);
    pane.exportSetup();
    settle();
    EXPECT_EQ(pane.backupNote(), u"Exported."_s);
    EXPECT_TRUE(QFile::exists(path));

    panels.userWillChoose(folder.filePath(u"missing/folder/x.json"_s));
    pane.exportSetup();
    settle();
    EXPECT_EQ(pane.backupNote(), u"Export failed."_s);
    EXPECT_TRUE(pane.backupPath().isEmpty());
}

TEST_F(GeneralPaneTest, AnImportWaitsForConfirmationAndKeepsABackup) {
    const QString path = folder.filePath(u"setup.json"_s);
    Settings settings = model.settings();
    settings.revealOnHover = true;
    model.setSettings(settings);
    panels.userWillChoose(path);
    pane.exportSetup();
    settle();
    settings.revealOnHover = false;
    model.setSettings(settings);

    // Cancelled: nothing happens.
    panels.userWillChoose(path);
    pane.chooseImport();
    settle();
    EXPECT_TRUE(pane.confirmingImport());
    pane.cancelImport();
    settle();
    EXPECT_FALSE(pane.confirmingImport());
    EXPECT_TRUE(pane.pendingImport().isEmpty());
    EXPECT_FALSE(model.settings().revealOnHover);

    import(path);
    EXPECT_TRUE(model.settings().revealOnHover);
    EXPECT_EQ(pane.backupNote(), u"Imported. Your previous setup is backed up."_s);
    ASSERT_FALSE(pane.backupPath().isEmpty());
    EXPECT_TRUE(QFile::exists(pane.backupPath()));
    pane.showBackup();
    EXPECT_EQ(viewer.revealedFiles(), QStringList{pane.backupPath()});

    // Choosing the next file takes the last backup's row away, even when it is then cancelled.
    panels.userWillChoose(path);
    pane.chooseImport();
    settle();
    EXPECT_TRUE(pane.backupPath().isEmpty());
    pane.cancelImport();
    EXPECT_EQ(pane.backupNote(), u"Imported. Your previous setup is backed up."_s);
}

TEST_F(GeneralPaneTest, RefusedFilesLeaveTheSetupAndShowNoBackup) {
    struct Refusal {
        QByteArray bytes;
        const char16_t *message;
    };
    const QString exported = folder.filePath(u"setup.json"_s);
    panels.userWillChoose(exported);
    pane.exportSetup();
    settle();
    QFile setup(exported);
    ASSERT_TRUE(setup.open(QIODevice::ReadOnly));
    QByteArray otherFormat = setup.readAll();
    otherFormat.replace("zorv-settings-v1", "zorv-settings-v9");

    const qint64 limit = 10 * 1024 * 1024;
    const Refusal refusals[] = {
        {QByteArray(limit + 1, ' '), u"The settings file is larger than 10 MB."},
        {otherFormat, u"This settings format is not supported by this version of Zorv."},
    };
    for (const Refusal &refusal : refusals) {
        import(file(u"refused.json"_s, refusal.bytes));
        EXPECT_EQ(pane.backupNote(), QString::fromUtf16(refusal.message));
        EXPECT_TRUE(pane.backupPath().isEmpty());
        EXPECT_FALSE(model.isImporting());
    }
    // A file of exactly the limit is read and decoded (and fails as JSON, not for its size).
    import(file(u"limit.json"_s, QByteArray(limit, ' ')));
    EXPECT_NE(pane.backupNote(), u"The settings file is larger than 10 MB."_s);
    EXPECT_TRUE(pane.backupPath().isEmpty());
}

TEST_F(GeneralPaneTest, AFailedApplyRestoresTheSetupAndPointsAtTheBackup) {
    const QString path = folder.filePath(u"setup.json"_s);
    panels.userWillChoose(path);
    pane.exportSetup();
    settle();
    const Settings before = model.settings();

    mac.engine().failApplies(1);
    import(path);
    EXPECT_TRUE(pane.backupNote().startsWith(u"Import failed."_s))
        << pane.backupNote().toStdString();
    EXPECT_FALSE(pane.backupPath().isEmpty());
    EXPECT_EQ(model.settings().revealOnHover, before.revealOnHover);
    EXPECT_FALSE(model.isImporting());
}

} // namespace
} // namespace zorv
