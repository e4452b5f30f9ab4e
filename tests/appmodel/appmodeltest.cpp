#include "appmodelharness.h"
#include "modelprofiles.h"
#include "modelrules.h"
#include "settingspane.h"
#include "spacing/spacingcontroller.h"
#include "storage/atomicfile.h"
#include "storage/wholefile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QSemaphore>
#include <QSignalSpy>

#include <functional>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QByteArray fileIn(const QString &folder, const QString &name) {
    return readWholeFile(folder + u'/' + name).value_or(QByteArray());
}

class AppModelTest : public ::testing::Test {
protected:
    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock, cloud};
};

TEST_F(AppModelTest, StartBringsEverythingUpInOrderWithTheStoredSetup) {
    ASSERT_FALSE(writeFileAtomically(
        mac.dataFolder() + u"/settings.json"_s,
        R"({"autoRehideSeconds": 3, "liveLayout": false, "revealOnHover": true})",
        FileDurability::Unsynced));
    AppModel &model = mac.build();
    EXPECT_TRUE(mac.fakes.log.isEmpty()) << "construction calls nothing";
    QSignalSpy layoutChanges(&model, &AppModel::layoutOrderChanged);

    mac.started();
    // The calls start-up is about, in the order they were made.
    QStringList calls = mac.fakes.log;
    calls.removeIf([](const QString &call) {
        return call.startsWith(u"engine.refresh"_s) || call.startsWith(u"runner.evaluate"_s);
    });
    EXPECT_EQ(calls, (QStringList{u"gestures.update(1,0)"_s, u"engine.apply"_s, u"engine.start"_s,
                                  u"monitors.create"_s, u"runner.create"_s, u"monitors.start"_s}));
    EXPECT_EQ(mac.engine().autoRehideSeconds(), 3);
    EXPECT_FALSE(mac.engine().reorderEnabled());
    ASSERT_EQ(mac.engine().applied().size(), 1);
    EXPECT_EQ(mac.engine().applied().front(), SectionLayout{}) << "a fresh install applies empty";
    // The engine's report of the applied layout went through the installed handler: it is
    // backed up and stored, and equal to the loaded one, so nobody is told of a change.
    EXPECT_EQ(layoutChanges.count(), 0);

    mac.advance(0.74);
    EXPECT_EQ(mac.fakes.overlay, nullptr) << "the look is drawn 0.75 s after start-up";
    mac.advance(0.02);
    ASSERT_NE(mac.fakes.overlay, nullptr);
    EXPECT_EQ(mac.fakes.overlay->applied.size(), 1);
    EXPECT_TRUE(fileIn(mac.dataFolder(), u"layout.json"_s).contains("alwaysHidden"));
    EXPECT_EQ(QDir(mac.dataFolder() + u"/backups"_s).entryList({u"layout-*.json"_s}).size(), 1);
}

TEST_F(AppModelTest, ObservedValuesSignalOnlyRealChanges) {
    AppModel &model = mac.started();
    const struct {
        const char *name;
        void (AppModel::*signal)();
        std::function<void(int)> write;
    } cases[] = {
        {"settings", &AppModel::settingsChanged,
         [&](int v) {
             Settings s;
             s.autoRehideSeconds = v;
             model.setSettings(s);
         }},
        {"context", &AppModel::automationContextChanged,
         [&](int v) {
             TriggerContext context;
             context.batteryPercent = v;
             mac.fakes.monitors->fireChange(context);
         }},
        {"hidingBlocked", &AppModel::hidingBlockedChanged,
         [&](int v) {
             mac.engine().mock().setHidingBlocked(v ? std::optional(HidingBlockedReason(v - 1))
                                                    : std::nullopt);
         }},
        {"pane", &AppModel::currentSettingsPaneChanged,
         [&](int v) { model.setCurrentSettingsPane(QString::number(v)); }},
        {"importing", &AppModel::isImportingChanged,
         [&](int v) { model.setIsImporting(v % 2 == 1); }},
        // A scan in which only the reason an item waits, which the Layout pane shows, changed;
        // the last one finds the engine's items as they were.
        {"items", &AppModel::itemsChanged,
         [&](int v) {
             QList<MenuBarItem> items = mac.engine().mock().items();
             items.first().unplacedBecause =
                 v == 1 ? std::optional(UnplacedReason{UnplacedReason::Obstacle::menus})
                       : std::nullopt;
             mac.engine().mock().itemsStream().push(items);
             clock.settle();
         }},
    };
    for (const auto &c : cases) {
        QSignalSpy spy(&model, c.signal);
        c.write(1);
        c.write(1);
        c.write(2);
        c.write(2);
        EXPECT_EQ(spy.count(), 2) << c.name;
    }
    QSignalSpy items(&model, &AppModel::itemsChanged);
    model.refresh();
    model.refresh();
    clock.settle();
    EXPECT_EQ(items.count(), 0) << "a scan that finds the same items redraws nothing";
    model.move(mac.engine().mock().items().at(0).id, Section::alwaysHidden);
    clock.settle();
    EXPECT_EQ(items.count(), 1);
}

TEST_F(AppModelTest, OnlyAChangeBetweenTwoKnownValuesReachesTheUpdater) {
    AppModel &model = mac.build();
    QSignalSpy toggled(&model, &AppModel::automaticUpdateChecksToggled);
    for (const std::optional<bool> value :
         {std::optional<bool>(), std::optional(true), std::optional(true), std::optional(false),
          std::optional<bool>(), std::optional(true)}) {
        model.setAutomaticUpdateChecks(value);
    }
    ASSERT_EQ(toggled.count(), 1);
    EXPECT_EQ(toggled.front().front().toBool(), false);
}

TEST_F(AppModelTest, EachStoreIsWrittenOnceAfterABurstAndPersistingSettingsStampsTheSaveTime) {
    AppModel &model = mac.started();
    mac.advance(1);
    const struct {
        const char *name;
        QString file;
        std::function<void(int)> change;
        bool stampsSaveTime;
    } cases[] = {
        {"settings", u"settings.json"_s, [&](int v) { model.setAutoRehide(100 + v); }, true},
        {"profiles", u"profiles.json"_s,
         [&](int v) { model.profileOps().saveProfileFromCurrent(u"profile %1"_s.arg(100 + v)); },
         false},
        {"rules", u"triggers.json"_s,
         [&](int v) {
             model.rules().addTrigger({QUuid::createUuid(), u"rule %1"_s.arg(100 + v), true,
                                       TriggerCondition::focusActive(),
                                       TriggerAction::hideHidden()});
         },
         false},
        {"layout", u"layout.json"_s,
         [&](int v) {
             const MenuBarItem &item = mac.engine().mock().items().at(v % 3);
             model.move(item.id, v % 2 ? Section::hidden : Section::alwaysHidden);
         },
         false},
    };
    for (const auto &c : cases) {
        const QByteArray before = fileIn(mac.dataFolder(), c.file);
        const std::optional<QDateTime> savedAt = model.lastSavedAt();
        for (int i = 1; i <= 5; ++i) {
            c.change(i);
            mac.advance(0.3);
            EXPECT_EQ(fileIn(mac.dataFolder(), c.file), before) << c.name << " written early";
        }
        mac.advance(0.11);
        const QByteArray after = fileIn(mac.dataFolder(), c.file);
        EXPECT_NE(after, before) << c.name;
        if (c.file != u"layout.json"_s) {
            EXPECT_TRUE(after.contains("105")) << c.name << ": the last change is written";
        }
        EXPECT_EQ(model.lastSavedAt() != savedAt, c.stampsSaveTime) << c.name;
    }
    EXPECT_EQ(mac.fakes.runner->evaluations.size(), 5) << "each rules save re-evaluates";

    // A fresh model over the same data folder reads back every store as it was written.
    const Settings settings = model.settings();
    const ProfileSet profiles = asStored(model.profiles());
    const TriggerSet triggers = model.triggers();
    const SectionLayout layout = model.layoutOrder();
    mac.quit();
    const AppModel &fresh = mac.started();
    EXPECT_EQ(fresh.settings(), settings);
    EXPECT_EQ(fresh.profiles(), profiles);
    EXPECT_EQ(fresh.triggers(), triggers);
    EXPECT_EQ(fresh.layoutOrder(), layout);
}

TEST_F(AppModelTest, EveryLayoutReportIsBackedUpButOnlyOutsideAnImportBecomesTheLayout) {
    AppModel &model = mac.started();
    const QDir backups(mac.dataFolder() + u"/backups"_s);
    const QList<MenuBarItem> items = mac.engine().mock().items();
    for (int i = 0; i < 11; ++i) {
        mac.advance(1);
        model.move(items.at(i % 4).id, i % 2 ? Section::hidden : Section::shown);
        clock.settle();
    }
    EXPECT_EQ(backups.entryList({u"layout-*.json"_s}).size(), AppModel::layoutBackupsKept);

    const SectionLayout kept = model.layoutOrder();
    model.setIsImporting(true);
    mac.advance(1);
    const QStringList before = backups.entryList({u"layout-*.json"_s});
    model.move(items.at(1).id, Section::alwaysHidden);
    clock.settle();
    EXPECT_EQ(model.layoutOrder(), kept);
    EXPECT_NE(backups.entryList({u"layout-*.json"_s}), before) << "still backed up";
    model.setIsImporting(false);
}

// The quit flush writes every store at once in place of their debounced writes; on a disk that
// does not answer it stops waiting at its limit and the writes go on behind it.
TEST_F(AppModelTest, TheQuitFlushWritesEveryStoreAtOnceAndWaitsNoLongerThanItsLimit) {
    AppModel &model = mac.started();
    mac.advance(1);
    model.setAutoRehide(77);
    model.move(mac.engine().mock().items().at(0).id, Section::alwaysHidden);
    clock.settle();
    const QByteArray layoutBefore = fileIn(mac.dataFolder(), u"layout.json"_s);
    // A limit no loaded machine reaches: this half checks what is written, not how fast.
    model.flushStoresForTermination(60.0);
    EXPECT_TRUE(fileIn(mac.dataFolder(), u"settings.json"_s).contains("77"));
    EXPECT_NE(fileIn(mac.dataFolder(), u"layout.json"_s), layoutBefore);
    EXPECT_FALSE(fileIn(mac.dataFolder(), u"profiles.json"_s).isEmpty());
    EXPECT_FALSE(fileIn(mac.dataFolder(), u"triggers.json"_s).isEmpty());

    mac.flushPool.setMaxThreadCount(1);
    auto gate = std::make_shared<QSemaphore>(0);
    mac.flushPool.start([gate] { gate->acquire(); }); // the one worker is stuck
    model.setAutoRehide(42);
    QElapsedTimer timer;
    timer.start();
    model.flushStoresForTermination(0.02);
    EXPECT_GE(timer.elapsed(), 19);
    EXPECT_LT(timer.elapsed(), 1000);
    mac.advance(1);
    EXPECT_FALSE(fileIn(mac.dataFolder(), u"settings.json"_s).contains("42"))
        << "the store's own debounced write was dropped";
    gate->release();
    mac.flushPool.waitForDone();
    EXPECT_TRUE(fileIn(mac.dataFolder(), u"settings.json"_s).contains("42"))
        << "the write goes on after the wait gave up";
}

TEST(AppModelIcons, ItemsKeepTheirOwnGoodIconAndDormantOnesTakeTheRememberedNameAndIcon) {
    QImage icon(44, 44, QImage::Format_ARGB32);
    icon.fill(Qt::darkCyan);
    QList<MenuBarItem> scanned(2, MenuBarItem{});
    for (qint64 ordinal : {0, 1}) {
        scanned[ordinal].id = {u"com.example.sync"_s, std::nullopt, std::nullopt, ordinal};
        scanned[ordinal].pid = 7;
        scanned[ordinal].frame = QRectF(100 + 30 * ordinal, 0, 22, 24);
    }
    scanned[0].appName = u"Sync"_s;
    scanned[0].appIcon = icon;
    scanned[1].isDormant = true;
    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock, cloud, u"Mac A"_s, scanned};
    const QList<MenuBarItem> items = mac.started().items();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ((QStringList{items.at(0).appName, items.at(1).appName}),
              (QStringList{u"Sync"_s, u"Sync"_s}));
    ASSERT_TRUE(items.at(0).appIcon && items.at(1).appIcon);
    EXPECT_EQ(items.at(0).appIcon->cacheKey(), icon.cacheKey()) << "left unchanged";
    EXPECT_EQ(items.at(1).appIcon->pixel(0, 0), icon.pixel(0, 0));
}

// The same Mac a second after start-up, for the settings.
class AppModelSettingsTest : public AppModelTest {
protected:
    void SetUp() override { mac.advance(1); }
    QString lastCall() const { return mac.fakes.log.isEmpty() ? QString() : mac.fakes.log.last(); }

    AppModel &model = mac.started();
    GatedEngine &engine = mac.engine();
};

constexpr KeyShortcut commandK{40, KeyShortcut::kCommand};

// Each setter changes its field, notifies, persists and then has its side effect, and does all of
// that again when called with the value already stored.
TEST_F(AppModelSettingsTest, EverySetterPersistsThenHasItsSideEffectEvenWhenNothingChanged) {
    QSignalSpy shortcuts(&model, &AppModel::shortcutsChanged);
    QSignalSpy dock(&model, &AppModel::dockPresenceChanged);
    const struct {
        const char *name;
        std::function<void()> set;
        std::function<bool(const Settings &)> stored;
        std::function<bool()> sideEffect;
    } cases[] = {
        {"autoRehide", [&] { model.setAutoRehide(4); },
         [](const Settings &s) { return s.autoRehideSeconds == 4; },
         [&] { return engine.autoRehideSeconds() == 4; }},
        {"liveLayout", [&] { model.setLiveLayout(false); },
         [](const Settings &s) { return !s.liveLayout; }, [&] { return !engine.reorderEnabled(); }},
        {"hover", [&] { model.setRevealOnHover(true); },
         [](const Settings &s) { return s.revealOnHover; },
         [&] { return lastCall() == u"gestures.update(1,0)"_s; }},
        {"scroll", [&] { model.setRevealOnScroll(true); },
         [](const Settings &s) { return s.revealOnScroll; },
         [&] { return lastCall() == u"gestures.update(1,1)"_s; }},
        {"pixelPerfect", [&] { model.setPixelPerfectIcons(true); },
         [](const Settings &s) { return s.pixelPerfectIconsEnabled; },
         [&] { return engine.captureEnabled() && lastCall() == u"engine.refresh"_s; }},
        {"clickOpensMenu", [&] { model.setIconClickOpensMenu(false); },
         [](const Settings &s) { return !s.iconClickOpensMenu; },
         [&] { return model.revealClickPhrase() == u"click"_s; }},
        {"hideIcon", [&] { model.setHideZorvIcon(true); },
         [](const Settings &s) { return s.hideZorvIcon; }, [&] { return !engine.iconVisible(); }},
        {"dock", [&] { model.setShowInDockAndSwitcher(false); },
         [](const Settings &s) { return !s.showInDockAndSwitcher; },
         [&] { return dock.count() > 0 && !dock.takeFirst().front().toBool(); }},
        {"revealShortcut", [&] { model.setRevealShortcut(commandK); },
         [](const Settings &s) { return s.revealShortcut == commandK; },
         [&] { return !shortcuts.isEmpty() && (shortcuts.clear(), true); }},
        {"searchShortcut", [&] { model.setSearchShortcut(std::nullopt); },
         [](const Settings &s) { return !s.searchShortcut; },
         [&] { return !shortcuts.isEmpty() && (shortcuts.clear(), true); }},
        {"spacing", [&] { model.setIconSpacing(6); },
         [](const Settings &s) { return s.iconSpacing == 6; },
         [&] {
             return mac.preferences.value(SpacingController::spacingKey).toInt() == 6 &&
                    mac.preferences.value(SpacingController::paddingKey).toInt() == 6;
         }},
        {"noSpacing", [&] { model.setIconSpacing(std::nullopt); },
         [](const Settings &s) { return !s.iconSpacing; },
         [&] {
             return !mac.preferences.value(SpacingController::spacingKey).isValid() &&
                    !mac.preferences.value(SpacingController::paddingKey).isValid();
         }},
        {"onboarding", [&] { model.completeOnboarding(); },
         [](const Settings &s) { return s.onboardingCompleted; }, [] { return true; }},
        {"declineMove", [&] { model.declineMoveToApplications(); },
         [](const Settings &s) { return s.moveToApplicationsDeclined; }, [] { return true; }},
        {"launchAtLogin", [&] { model.setLaunchAtLogin(true); },
         [](const Settings &s) { return s.launchAtLogin; }, [&] { return model.launchAtLogin(); }},
    };
    for (const auto &c : cases) {
        for (int round = 0; round < 2; ++round) {
            QSignalSpy settings(&model, &AppModel::settingsChanged);
            mac.advance(1);
            const std::optional<QDateTime> savedBefore = model.lastSavedAt();
            c.set();
            EXPECT_EQ(settings.count(), 1) << c.name << " round " << round;
            EXPECT_TRUE(c.stored(model.settings())) << c.name;
            EXPECT_NE(model.lastSavedAt(), savedBefore) << c.name << " persisted";
            EXPECT_TRUE(c.sideEffect()) << c.name << " round " << round;
        }
    }
    mac.advance(1);
    const Settings onDisk =
        JSONStore<Settings>::peek(u"settings.json"_s, Settings{}, mac.dataFolder(), mac.log);
    EXPECT_EQ(onDisk, model.settings());
    const Settings set = model.settings();
    mac.quit();
    EXPECT_EQ(mac.started().settings(), set) << "a fresh model reads every setting back";
}

TEST_F(AppModelSettingsTest, ARefusedLaunchAtLoginIsLoggedAndChangesNothing) {
    mac.loginItems.setRefusal(u"Operation not permitted"_s);
    QSignalSpy settings(&model, &AppModel::settingsChanged);
    model.setLaunchAtLogin(true);
    EXPECT_EQ(settings.count(), 0);
    EXPECT_FALSE(model.settings().launchAtLogin);
    EXPECT_EQ(mac.log.lines(),
              QStringList{u"Zorv: launch-at-login toggle failed: Operation not permitted"_s});
}

TEST_F(AppModelSettingsTest, AGuideIsRecordedOnceAndTheTextsFollowTheSettings) {
    QSignalSpy settings(&model, &AppModel::settingsChanged);
    model.markGuideSeen(u"arrange"_s);
    model.markGuideSeen(u"arrange"_s);
    EXPECT_EQ(settings.count(), 1);
    EXPECT_EQ(model.settings().seenPaneGuides, QStringList{u"arrange"_s});
    EXPECT_TRUE(model.hasSeenGuide(u"arrange"_s));

    EXPECT_EQ(model.guideContext(), (GuideContext{true, u"⌥⌘S"_s, u"⌥⌘F"_s, true}));
    EXPECT_EQ(model.revealClickPhrase(), u"right-click"_s);
    EXPECT_EQ(model.menuClickPhrase(), u"click"_s);
    model.setSearchShortcut(commandK);
    EXPECT_EQ(model.guideContext().searchShortcut, u"⌘K"_s);

    // Pane keys are matched exactly.
    ASSERT_EQ(allSettingsPanes().size(), 8);
    for (const SettingsPane pane : allSettingsPanes()) {
        EXPECT_EQ(settingsPane(paneKey(pane)), pane);
    }
    for (const QString &key : {u"Arrange"_s, u"arrange "_s, QString()}) {
        EXPECT_EQ(settingsPane(key), std::nullopt) << key.toStdString();
    }
}

// The spacing in force at login is recorded once per login session.
TEST(AppModelSpacing, TheBaselineMovesOnlyWithANewLoginSession) {
    const QDateTime firstLogin(QDate(2026, 12, 1), QTime(8, 0), Qt::UTC);
    const QDateTime secondLogin(QDate(2026, 12, 2), QTime(8, 0), Qt::UTC);
    const struct {
        const char *name;
        std::optional<QDateTime> recordedSession;
        std::optional<qint64> recordedSpacing;
        std::optional<QDateTime> login;
        std::optional<qint64> preference;
        std::optional<QDateTime> expectedSession;
        std::optional<qint64> expectedSpacing;
        bool needsLogout;
    } cases[] = {
        {"FirstSessionEver", std::nullopt, std::nullopt, firstLogin, 6, firstLogin, std::nullopt,
         true},
        {"SameSession", firstLogin, 4, firstLogin, 6, firstLogin, 4, true},
        {"NextLogin", firstLogin, 4, secondLogin, 6, secondLogin, 6, false},
        {"SessionNotFound", firstLogin, 4, std::nullopt, 6, std::nullopt, 6, false},
        {"NothingAnywhere", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
         std::nullopt, false},
    };
    for (const auto &c : cases) {
        ManualClock clock;
        SimCloud cloud;
        AppModelHarness mac{clock, cloud};
        Settings stored;
        stored.spacingBaselineSession = c.recordedSession;
        stored.spacingAppliedAtLogin = c.recordedSpacing;
        AppModel &model = mac.build();
        model.settingsStore().replaceAndFlush(stored);
        if (c.login) {
            mac.processes.logIn(mac.processes.currentUserId(), *c.login);
        }
        if (c.preference) {
            mac.preferences.setValue(SpacingController::spacingKey, qint64(*c.preference));
        }
        mac.started();
        EXPECT_EQ(model.settings().spacingBaselineSession, c.expectedSession) << c.name;
        EXPECT_EQ(model.settings().spacingAppliedAtLogin, c.expectedSpacing) << c.name;
        EXPECT_EQ(model.spacingNeedsLogout(), c.needsLogout) << c.name;
        EXPECT_EQ(model.lastSavedAt().has_value(), c.expectedSession != c.recordedSession)
            << c.name << ": persisted only for a new session";
    }
}

TEST_F(AppModelSettingsTest, TheSecondaryBarShowsHiddenItemsFollowsScansAndHidesWhenDisabled) {
    model.setSecondaryBarEnabled(true);
    model.toggleSecondaryBar(false);
    FakeSecondaryBar *bar = mac.fakes.secondaryBar;
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->visible);
    ASSERT_EQ(bar->shown.size(), 1);
    for (const MenuBarItem &item : bar->shown.front()) {
        EXPECT_EQ(item.section, Section::hidden);
    }
    model.toggleSecondaryBar(false);
    EXPECT_FALSE(bar->visible);
    model.refresh();
    clock.settle();
    EXPECT_EQ(bar->shown.size(), 1) << "a hidden bar is left alone by scans";

    model.toggleSecondaryBar(true);
    EXPECT_EQ(mac.fakes.secondaryBar, bar) << "the controller is made once";
    model.refresh();
    clock.settle();
    ASSERT_EQ(bar->shown.size(), 3) << "an open bar follows every scan";
    EXPECT_TRUE(bar->withAlwaysHidden);

    model.setSecondaryBarEnabled(false);
    EXPECT_FALSE(bar->visible);
    EXPECT_EQ(mac.fakes.log.last(), u"secondaryBar.hide"_s);
}

} // namespace
} // namespace zorv

namespace zorv {
namespace {

// A pane edit or a synced change that arrives before start() (the model built but never started,
// as in update-test mode) must not write the defaults over the user's file.
TEST_F(AppModelTest, SettingsAreNotWrittenBeforeTheyAreLoaded) {
    ASSERT_FALSE(writeFileAtomically(mac.dataFolder() + u"/settings.json"_s,
                                     R"({"autoRehideSeconds": 3})", FileDurability::Unsynced));
    AppModel &model = mac.build();

    model.setLiveLayout(false);
    model.setRevealShortcut(KeyShortcut(15, KeyShortcut::kCommand | KeyShortcut::kOption));
    clock.advance(seconds(5));
    clock.settle();
    EXPECT_EQ(fileIn(mac.dataFolder(), u"settings.json"_s),
              QByteArray(R"({"autoRehideSeconds": 3})"));
    EXPECT_FALSE(model.lastSavedAt().has_value());
    EXPECT_FALSE(mac.log.lines().isEmpty());

    mac.started();
    model.setAutoRehide(7);
    clock.advance(seconds(5));
    clock.settle();
    EXPECT_TRUE(fileIn(mac.dataFolder(), u"settings.json"_s).contains("7"));
}

} // namespace
} // namespace zorv
