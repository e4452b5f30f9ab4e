#include "appmodelharness.h"
#include "currentarrangement.h"
#include "modelprofiles.h"
#include "modelrules.h"
#include "modeltransfer.h"
#include "storage/atomicfile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TriggerRule rule(const QString &name, TriggerAction action) {
    return TriggerRule{QUuid::createUuid(), name, true, TriggerCondition::onBattery(),
                       std::move(action)};
}

TriggerStep holding(QList<TriggerRule> rules) {
    TriggerStep step;
    step.activeOverrides = std::move(rules);
    return step;
}

// A started model on one Mac, for the model's profile, rule and transfer operations.
class ModelFeatureTest : public ::testing::Test {
protected:
    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock, cloud, u"Mac"_s};
    AppModel &model = mac.started();
    ModelProfiles &ops = model.profileOps();
    ModelRules &rules = model.rules();

    [[nodiscard]] MenuBarItemID item(qsizetype index) {
        return mac.engine().mock().items().at(index).id;
    }
    [[nodiscard]] const Profile &profile(qsizetype index) const {
        return model.profiles().profiles.at(index);
    }
    void run(const TriggerStep &step) {
        rules.applyTriggerStep(step);
        clock.settle();
    }
    [[nodiscard]] static Appearance tinted(const QString &hex) {
        Appearance appearance;
        appearance.tintEnabled = true;
        appearance.tintHex = hex;
        appearance.tintOpacity = 0.5;
        return appearance;
    }
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
        settings.moveToApplicationsDeclined = true;
        settings.spacingAppliedAtLogin = 22;
        settings.spacingBaselineSession = QDateTime::fromSecsSinceEpoch(1'600'000'000, QTimeZone::utc());
        ProfileSet profiles;
        profiles.profiles.append(Profile{QUuid::createUuid(), u"Imported"_s, {}, {}, {}});
        SectionLayout layout = SectionLayout().normalized();
        layout.sections[Section::hidden].append(mac.engine().mock().items().first().id);
        return SettingsBundle(clock.wallNow(), settings, layout, profiles, TriggerSet());
    }
    // What the store file holds once the model's debounced write is due.
    template <typename Value> [[nodiscard]] Value onDisk(const QString &file) {
        mac.advance(2);
        return JSONStore<Value>::peek(file, Value{}, mac.dataFolder(), mac.log);
    }
    [[nodiscard]] int backupCount() const {
        return int(QDir(model.backupsFolder()).entryList({u"before-import-*.json"_s}).size());
    }
};

class ModelProfilesTest : public ModelFeatureTest {};
class ModelRulesTest : public ModelFeatureTest {
protected:
    // One 5-second beat of the context monitors, through the handler the model gave them.
    void tick() {
        ASSERT_TRUE(mac.fakes.monitors && mac.fakes.monitors->fireTick);
        mac.fakes.monitors->fireTick();
    }
};
class ModelTransferTest : public ModelFeatureTest {};

TEST_F(ModelProfilesTest, CapturesSwitchesRenamesAndUpdates) {
    ops.setAppearance(tinted(u"#112233"_s));
    ops.saveProfileFromCurrent(u"Work"_s);
    ops.setAppearance(tinted(u"#445566"_s));
    ops.saveProfileFromCurrent(u"Home"_s);
    ASSERT_EQ(model.profiles().profiles.size(), 2);
    // The first profile saved while none was active becomes active; later ones do not.
    EXPECT_EQ(model.profiles().activeID, profile(0).id);
    EXPECT_EQ(profile(0).appearance, tinted(u"#112233"_s));
    EXPECT_EQ(profile(0).layout, ops.currentLayout());

    ops.switchToProfile(profile(0).id);
    clock.settle();
    EXPECT_EQ(model.settings().appearance, tinted(u"#112233"_s));
    EXPECT_EQ(mac.fakes.overlay->applied.last(), tinted(u"#112233"_s));
    EXPECT_EQ(mac.engine().applied().last(), profile(0).layout);

    // Each edit reaches the file on its own.
    ops.renameProfile(profile(1).id, u""_s);
    EXPECT_EQ(profile(1).name, u""_s);
    EXPECT_EQ(onDisk<ProfileSet>(u"profiles.json"_s), asStored(model.profiles()));
    ops.setProfileRemembersLook(false, profile(1).id);
    EXPECT_EQ(onDisk<ProfileSet>(u"profiles.json"_s), asStored(model.profiles()));
    ops.setAppearance(tinted(u"#778899"_s));
    ops.updateProfileFromCurrent(profile(1).id);
    EXPECT_FALSE(profile(1).appearance);
    EXPECT_EQ(onDisk<ProfileSet>(u"profiles.json"_s), asStored(model.profiles()));
    ops.updateProfileFromCurrent(profile(0).id);
    EXPECT_EQ(profile(0).appearance, model.settings().appearance);

    const qsizetype appliedBefore = mac.engine().applied().size();
    ops.switchToProfile(QUuid::createUuid());
    clock.settle();
    EXPECT_EQ(mac.engine().applied().size(), appliedBefore);

    const ProfileSet profiles = asStored(model.profiles());
    EXPECT_EQ(onDisk<ProfileSet>(u"profiles.json"_s), profiles);
    mac.quit();
    EXPECT_EQ(mac.started().profiles(), profiles) << "a fresh model reads the profiles back";
}

// A profile taken from the bar (its items include the system's pinned ones) is, in memory, what
// the next launch reads back from the profiles file.
TEST_F(ModelProfilesTest, ASavedOrUpdatedProfileIsWhatTheNextLaunchReadsBack) {
    ops.saveProfileFromCurrent(u"Work"_s);
    ops.saveProfileFromCurrent(u"Home"_s);
    ops.updateProfileFromCurrent(profile(1).id);
    const ProfileSet saved = model.profiles();
    mac.advance(AppModel::storeDebounceSeconds + 0.1);
    mac.quit();
    EXPECT_EQ(mac.started().profiles(), saved);
}

TEST_F(ModelProfilesTest, ShortcutsMoveBetweenProfilesAndLeaveWithDeletedOnes) {
    for (const QString &name : {u"A"_s, u"B"_s, u"C"_s}) {
        ops.saveProfileFromCurrent(name);
    }
    const QUuid a = profile(0).id, b = profile(1).id, c = profile(2).id;
    const KeyShortcut key(18, KeyShortcut::kCommand | KeyShortcut::kOption);
    QSignalSpy shortcutChanges(&model, &AppModel::shortcutsChanged);

    const struct {
        std::function<void()> operation;
        int shortcutChanges;
        QList<QUuid> remaining;
        std::optional<QUuid> active;
    } steps[] = {
        {[&] { ops.setProfileShortcut(key, a); }, 1, {a, b, c}, a},
        {[&] {
             ops.setProfileShortcut(key, b);
             EXPECT_FALSE(profile(0).shortcut); // one shortcut, one profile
         },
         2,
         {a, b, c},
         a},
        {[&] { ops.deleteProfile(a); }, 2, {b, c}, b},
        // A deleted profile's hot key must be unregistered.
        {[&] { ops.deleteProfile(b); }, 3, {c}, c},
        {[&] { ops.deleteProfile(QUuid::createUuid()); }, 3, {c}, c},
        {[&] { ops.deleteProfile(c); }, 3, {}, std::nullopt},
    };
    for (const auto &step : steps) {
        step.operation();
        QList<QUuid> remaining;
        for (const Profile &p : model.profiles().profiles) {
            remaining.append(p.id);
        }
        EXPECT_EQ(shortcutChanges.count(), step.shortcutChanges);
        EXPECT_EQ(remaining, step.remaining);
        EXPECT_EQ(model.profiles().activeID, step.active);
        EXPECT_EQ(onDisk<ProfileSet>(u"profiles.json"_s), asStored(model.profiles()))
            << "each step saved";
    }
}

TEST_F(ModelRulesTest, HeldLayoutOverridesWithoutReplacingTheArrangement) {
    const SectionLayout arrangement = currentArrangement(model.layoutOrder(), model.items());
    ops.saveProfileFromCurrent(u"Base"_s);
    const Profile base = model.profiles().profiles.first();
    const TriggerRule toProfile = rule(u"p"_s, TriggerAction::switchProfile(base.id));
    const MenuBarItemID moved = item(0);
    const TriggerRule hide = rule(u"m"_s, TriggerAction::moveItem(moved, Section::alwaysHidden));
    const qsizetype before = mac.engine().applied().size();

    run(holding({toProfile, hide}));
    SectionLayout expected = base.layout;
    for (const Section section : allSections) {
        expected.sections[section].removeAll(moved);
    }
    expected.sections[Section::alwaysHidden].append(moved);
    ASSERT_EQ(mac.engine().applied().size(), before + 1);
    EXPECT_EQ(mac.engine().applied().last(), expected);
    EXPECT_TRUE(rules.automationOverrideActive());
    EXPECT_EQ(model.layoutOrder(), arrangement);
    EXPECT_EQ(model.activeTriggerRuleIDs(), (QSet<QUuid>{toProfile.id, hide.id}));

    run(holding({toProfile, hide})); // the same wish again: no engine call
    EXPECT_EQ(mac.engine().applied().size(), before + 1);

    run(holding({}));
    EXPECT_EQ(mac.engine().applied().last(), arrangement);
    EXPECT_FALSE(rules.automationOverrideActive());
    EXPECT_EQ(model.layoutOrder(), arrangement);
}

TEST_F(ModelRulesTest, UndoFinishingAfterANewerOverrideKeepsThatOverride) {
    const SectionLayout arrangement = currentArrangement(model.layoutOrder(), model.items());
    mac.engine().holdApplies(seconds(2));
    const TriggerRule hide = rule(u"m"_s, TriggerAction::moveItem(item(0), Section::hidden));
    rules.applyTriggerStep(holding({hide}));
    rules.applyTriggerStep(holding({}));     // undo starts
    rules.applyTriggerStep(holding({hide})); // a newer override while it runs
    clock.advance(seconds(3));
    clock.settle();
    ASSERT_EQ(mac.engine().applied().size(), 4); // start-up, override, undo, override
    EXPECT_TRUE(rules.automationOverrideActive());
    // The rule layout reported after the undo must not become the user's arrangement.
    EXPECT_EQ(model.layoutOrder(), arrangement);
}

// Before the engine has taken the bar's items into the user's layout, a rule's layout starts
// from the bar as it stands: the items are recorded (and saved) where they are first, so that the
// rule's end brings the moved item back to its lane.
TEST_F(ModelRulesTest, ARuleBeforeTheItemsAreTakenInRecordsThemWhereTheyStandFirst) {
    mac.engine().apply(SectionLayout{});
    clock.settle();
    ASSERT_EQ(model.layoutOrder().normalized(), SectionLayout{}.normalized());
    const MenuBarItemID moved = item(0); // Dropbox, hidden
    const SectionLayout arrangement = currentArrangement(SectionLayout{}, model.items());
    ASSERT_EQ(arrangement.sectionOf(moved), Section::hidden);
    const TriggerRule show = rule(u"m"_s, TriggerAction::moveItem(moved, Section::shown));

    run(holding({show}));
    EXPECT_EQ(model.layoutOrder(), arrangement);
    EXPECT_EQ(onDisk<SectionLayout>(u"layout.json"_s), arrangement);
    EXPECT_EQ(mac.engine().applied().last().sectionOf(moved), Section::shown);
    EXPECT_EQ(mac.engine().applied().last().ids(Section::hidden),
              QList<MenuBarItemID>{arrangement.ids(Section::hidden).last()})
        << "the other hidden item keeps its lane";

    run(holding({}));
    EXPECT_EQ(mac.engine().applied().last(), arrangement);
    EXPECT_EQ(model.layoutOrder(), arrangement);
    EXPECT_EQ(onDisk<SectionLayout>(u"layout.json"_s), arrangement);
}

// A rule that holds at launch and ends before the engine first reads the bar leaves nothing
// behind: at the first reading none of its layout is applied and the user's layout is as it was.
TEST(ModelRulesBeforeTheBarTest, ARuleEndedBeforeTheFirstReadingAppliesNothing) {
    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock, cloud, u"Mac"_s, {}};
    AppModel &model = mac.started();
    ASSERT_TRUE(model.items().isEmpty());
    const QList<MenuBarItem> bar = MockMenuBarEngine::fixtures();
    const auto hidden = std::find_if(bar.cbegin(), bar.cend(), [](const MenuBarItem &item) {
        return item.section == Section::hidden;
    });
    ASSERT_NE(hidden, bar.cend());
    const SectionLayout before = model.layoutOrder();
    const qsizetype applied = mac.engine().applied().size();
    const auto storedLayout = [&mac] {
        mac.advance(2);
        return JSONStore<SectionLayout>::peek(u"layout.json"_s, SectionLayout{}, mac.dataFolder(),
                                              mac.log);
    };
    const SectionLayout stored = storedLayout();

    model.rules().applyTriggerStep(
        holding({rule(u"m"_s, TriggerAction::moveItem(hidden->id, Section::shown))}));
    clock.settle();
    model.rules().applyTriggerStep(holding({}));
    clock.settle();
    mac.engine().itemsStream().push(bar);
    clock.settle();

    EXPECT_EQ(mac.engine().applied().size(), applied);
    EXPECT_EQ(model.items().size(), bar.size()) << "the bar has been read";
    EXPECT_EQ(model.layoutOrder(), before);
    EXPECT_EQ(storedLayout(), stored);
}

TEST_F(ModelRulesTest, RevealWishesAreHeldAndReasserted) {
    const TriggerRule reveal = rule(u"r"_s, TriggerAction::revealHidden());
    const TriggerRule hide = rule(u"h"_s, TriggerAction::hideHidden());
    run(holding({hide, reveal})); // a reveal wins over a hide
    run(holding({reveal}));       // unchanged: no call
    EXPECT_EQ(mac.engine().reveals(), (QList<GatedEngine::Reveal>{{true, false, true}}));

    const struct {
        double autoRehide;
        double firstTickAfter;
        double returnsAfter;
    } cases[] = {{5, 10, 10}, {30, 25, 30}};
    for (const auto &c : cases) {
        model.setAutoRehide(c.autoRehide);
        clock.settle();
        (void)mac.engine().mock().setHiddenRevealed(false, false, false); // the engine tucked
        const qsizetype calls = mac.engine().reveals().size();
        tick(); // first sight of the lapse
        clock.advance(seconds(c.firstTickAfter - 0.1));
        tick();
        clock.settle();
        EXPECT_EQ(mac.engine().reveals().size(), calls) << c.autoRehide;
        clock.advance(seconds(c.returnsAfter - c.firstTickAfter + 0.2));
        tick();
        clock.settle();
        ASSERT_EQ(mac.engine().reveals().size(), calls + 1) << c.autoRehide;
        EXPECT_EQ(mac.engine().reveals().last(), (GatedEngine::Reveal{true, false, true}));
    }
    run(holding({})); // the end of the wish tucks, not held
    EXPECT_EQ(mac.engine().reveals().last(), (GatedEngine::Reveal{false, false, false}));
}

TEST_F(ModelRulesTest, OneShotsRunOnceAndPausesAreAnnounced) {
    const TriggerRule named = rule(u"Office Wi-Fi"_s, TriggerAction::notify(u"x"_s));
    rules.addTrigger(named);
    const MenuBarItemID clicked = item(1);
    TriggerStep step;
    step.oneShots = {TriggerAction::notify(u"On battery"_s), TriggerAction::revealItem(clicked),
                     TriggerAction::moveItem(item(2), Section::hidden)};
    step.newlySuspended = {named.id, QUuid::createUuid()};
    step.suspended = {named.id};
    run(step);
    EXPECT_EQ(mac.fakes.notifier.posts, QStringList{u"On battery"_s});
    ASSERT_EQ(mac.engine().mock().activations().size(), 1);
    EXPECT_EQ(mac.engine().mock().activations().first().id, clicked);
    ASSERT_EQ(mac.engine().moves().size(), 1);
    EXPECT_EQ(mac.engine().moves().first().second.section, Section::hidden);
    EXPECT_EQ(model.triggerNotice(),
              u"Office Wi-Fi was paused: it was switching on and off too fast."_s);
    EXPECT_EQ(model.suspendedTriggerRuleIDs(), QSet<QUuid>{named.id});
    clock.advance(seconds(0.7));
    clock.settle();
    EXPECT_EQ(mac.engine().reconciles(), QList<QString>{u"user-move"_s});

    step = TriggerStep();
    step.newlySuspended = {QUuid::createUuid()};
    run(step);
    EXPECT_EQ(model.triggerNotice(), u"A rule was paused: it was switching on and off too fast."_s);
}

TEST_F(ModelRulesTest, EditsSaveAndReEvaluateOnlyWhenTheyApply) {
    const TriggerRule first = rule(u"a"_s, TriggerAction::revealHidden());
    TriggerRule stranger = rule(u"b"_s, TriggerAction::hideHidden());
    const struct {
        std::function<void()> edit;
        qsizetype rules;
        int evaluations;
    } steps[] = {
        {[&] { rules.addTrigger(first); }, 1, 1},
        {[&] { rules.updateTrigger(stranger); }, 1, 1},
        {[&] { rules.setTriggerEnabled(first.id, false); }, 1, 2},
        {[&] { rules.deleteTrigger(stranger.id); }, 1, 3},
        {[&] { rules.deleteTrigger(first.id); }, 0, 4},
    };
    const int before = int(mac.fakes.runner->evaluations.size());
    for (const auto &step : steps) {
        step.edit();
        EXPECT_EQ(model.triggers().rules.size(), step.rules);
        EXPECT_EQ(int(mac.fakes.runner->evaluations.size()) - before, step.evaluations);
        EXPECT_EQ(onDisk<TriggerSet>(u"triggers.json"_s), model.triggers()) << "each edit saved";
    }
}

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
    expected.moveToApplicationsDeclined = local.moveToApplicationsDeclined;
    expected.spacingAppliedAtLogin = local.spacingAppliedAtLogin;
    expected.spacingBaselineSession = local.spacingBaselineSession;
    // Each of the seven differs between the file and this Mac, so none is kept by chance.
    const Settings inFile = foreignSetup().settings;
    EXPECT_NE(inFile.launchAtLogin, local.launchAtLogin);
    EXPECT_NE(inFile.showInDockAndSwitcher, local.showInDockAndSwitcher);
    EXPECT_NE(inFile.cloudSyncEnabled, local.cloudSyncEnabled);
    EXPECT_NE(inFile.onboardingCompleted, local.onboardingCompleted);
    EXPECT_NE(inFile.moveToApplicationsDeclined, local.moveToApplicationsDeclined);
    EXPECT_NE(inFile.spacingAppliedAtLogin, local.spacingAppliedAtLogin);
    EXPECT_NE(inFile.spacingBaselineSession, local.spacingBaselineSession);
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
        const QString rulesFile = mac.dataFolder() + u"/triggers.json"_s;
        if (c.blockRulesFile) {
            QFile::remove(rulesFile);
            ASSERT_TRUE(QDir().mkpath(rulesFile + u"/blocked"_s));
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
