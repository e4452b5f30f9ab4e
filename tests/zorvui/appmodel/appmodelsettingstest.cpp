#include "appmodel/settingspane.h"
#include "appmodelharness.h"
#include "spacing/spacingcontroller.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <functional>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr KeyShortcut commandK{40, KeyShortcut::kCommand};

class AppModelSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { mac.advance(1); }
    QString lastCall() const { return mac.fakes.log.isEmpty() ? QString() : mac.fakes.log.last(); }

    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock, cloud};
    AppModel &model = mac.started();
    GatedEngine &engine = mac.engine();
};

// Each setter changes its field, notifies, persists and then has its side effect, and does all of
// that again when called with the value already stored.
TEST_F(AppModelSettingsTest, EverySetterPersistsThenHasItsSideEffectEvenWhenNothingChanged) {
    QSignalSpy shortcuts(&model, &AppModel::shortcutsChanged);
    QSignalSpy dock(&model, &AppModel::dockPresenceChanged);
    struct Case {
        const char *name;
        std::function<void()> set;
        std::function<bool(const Settings &)> stored;
        std::function<bool()> sideEffect;
    };
    const Case cases[] = {
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
    for (const Case &c : cases) {
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
    struct Case {
        const char *name;
        std::optional<QDateTime> recordedSession;
        std::optional<qint64> recordedSpacing;
        std::optional<QDateTime> login;
        std::optional<qint64> preference;
        std::optional<QDateTime> expectedSession;
        std::optional<qint64> expectedSpacing;
        bool needsLogout;
    };
    const Case cases[] = {
        {"FirstSessionEver", std::nullopt, std::nullopt, firstLogin, 6, firstLogin, std::nullopt,
         true},
        {"SameSession", firstLogin, 4, firstLogin, 6, firstLogin, 4, true},
        {"NextLogin", firstLogin, 4, secondLogin, 6, secondLogin, 6, false},
        {"SessionNotFound", firstLogin, 4, std::nullopt, 6, std::nullopt, 6, false},
        {"NothingAnywhere", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
         std::nullopt, false},
    };
    for (const Case &c : cases) {
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
    EXPECT_EQ(mac.fakes.log.last(), u"secondaryBar.writeState(0)"_s);
}

} // namespace
} // namespace zorv
