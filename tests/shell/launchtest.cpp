#include "shellfixture.h"

#include "launch/updatetestlaunch.h"
#include "recordingsystemlog.h"
#include "update/updatesettingsreturn.h"

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// One launch: what is stored and granted, the arguments, and what happens, in order.
struct LaunchCase {
    const char *name;
    bool onboardingCompleted;
    bool moveDeclined;
    bool installed;
    bool trusted;
    bool marker;
    QStringList arguments;
    QStringList expected;
    bool prompted;
};

void PrintTo(const LaunchCase &c, std::ostream *out) {
    *out << c.name;
}

class LaunchOrderTest : public ShellTest, public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(LaunchOrderTest, StepsRunInOrder) {
    const LaunchCase &c = GetParam();
    Settings settings;
    settings.onboardingCompleted = c.onboardingCompleted;
    settings.moveToApplicationsDeclined = c.moveDeclined;
    store(settings);
    installed = c.installed;
    harness.desktop().permissions().setAccessibilityTrusted(c.trusted);
    if (c.marker) {
        UpdateSettingsReturn::prepare(QStringLiteral("search"),
                                      harness.dataFolder() + u'/' + AppDelegate::settingsReturnFile,
                                      clock.wallNow());
    }

    build(c.arguments);
    EXPECT_TRUE(harness.desktop().hotKeys().ownRegistrations().isEmpty());
    shell->applicationDidFinishLaunching();
    clock.settle();
    if (dismissMoveOffer) {
        calls.append(QStringLiteral("(offer dismissed)"));
        dismissMoveOffer();
    }

    QStringList steps = calls;
    steps.removeIf([](const QString &call) {
        return !(call.startsWith(u"updates."_s) || call == u"engine.start"_s ||
                 call.startsWith(u"settings("_s) || call.startsWith(u"report("_s) ||
                 call == u"moveOffer"_s || call == u"(offer dismissed)"_s ||
                 call == u"onboarding"_s);
    });
    EXPECT_EQ(steps, c.expected);
    EXPECT_EQ(harness.desktop().permissions().trustPromptShown(), c.prompted);
    EXPECT_EQ(harness.desktop().hotKeys().ownRegistrations().size(), 2);
    EXPECT_TRUE(shell->launch().isStarted());
}

INSTANTIATE_TEST_SUITE_P(
    Launches, LaunchOrderTest,
    ::testing::Values(LaunchCase{"FirstRunShowsOnboarding",
                                 false,
                                 true,
                                 true,
                                 true,
                                 false,
                                 {},
                                 {u"updates.start"_s, u"engine.start"_s, u"onboarding"_s},
                                 false},
                      LaunchCase{"SettledAndTrustedOpensNothing",
                                 true,
                                 true,
                                 true,
                                 true,
                                 false,
                                 {},
                                 {u"updates.start"_s, u"engine.start"_s},
                                 false},
                      LaunchCase{"UntrustedGetsThePrompt",
                                 true,
                                 true,
                                 true,
                                 false,
                                 false,
                                 {},
                                 {u"updates.start"_s, u"engine.start"_s},
                                 true},
                      LaunchCase{"ShowOnboardingArgumentWins",
                                 true,
                                 true,
                                 true,
                                 false,
                                 false,
                                 {u"--show-onboarding"_s},
                                 {u"updates.start"_s, u"engine.start"_s, u"onboarding"_s},
                                 false},
                      LaunchCase{"NotInstalledOffersTheMoveFirst",
                                 false,
                                 false,
                                 false,
                                 true,
                                 false,
                                 {},
                                 {u"updates.start"_s, u"engine.start"_s, u"moveOffer"_s,
                                  u"(offer dismissed)"_s, u"onboarding"_s},
                                 false},
                      LaunchCase{"DeclinedMoveIsNotOfferedAgain",
                                 true,
                                 true,
                                 false,
                                 true,
                                 false,
                                 {},
                                 {u"updates.start"_s, u"engine.start"_s},
                                 false},
                      LaunchCase{"MarkerReopensItsPaneBeforeTheOffer",
                                 true,
                                 false,
                                 false,
                                 true,
                                 true,
                                 {},
                                 {u"updates.start"_s, u"engine.start"_s, u"settings(-)"_s,
                                  u"moveOffer"_s, u"(offer dismissed)"_s},
                                 false},
                      LaunchCase{"ArgumentWindowsOpenAtLaunch",
                                 true,
                                 true,
                                 true,
                                 true,
                                 false,
                                 {u"--report-sent"_s, u"--open-settings"_s, u"--report"_s},
                                 {u"updates.start"_s, u"engine.start"_s, u"settings(-)"_s,
                                  u"report(-)"_s, u"report(R-7K3QXM)"_s},
                                 false},
                      LaunchCase{"FirstRunKeepsAskedSettingsInFrontOfOnboarding",
                                 false,
                                 true,
                                 true,
                                 true,
                                 false,
                                 {u"--open-settings"_s},
                                 {u"updates.start"_s, u"engine.start"_s, u"onboarding"_s,
                                  u"settings(-)"_s, u"settings(-)"_s},
                                 false},
                      // The address itself reaches the URL router from the composition.
                      LaunchCase{"FirstRunKeepsAddressedSettingsInFrontOfOnboarding",
                                 false,
                                 true,
                                 true,
                                 true,
                                 false,
                                 {u"zorv://settings/profiles"_s},
                                 {u"updates.start"_s, u"engine.start"_s, u"onboarding"_s,
                                  u"settings(-)"_s},
                                 false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ShellTest, TheMarkerSetsThePendingPane) {
    store(settled());
    UpdateSettingsReturn::prepare(QStringLiteral("search"),
                                  harness.dataFolder() + u'/' + AppDelegate::settingsReturnFile,
                                  clock.wallNow());
    launched();
    EXPECT_EQ(harness.model().pendingSettingsPane(), QStringLiteral("search"));
}

struct UpdateTestCase {
    const char *name;
    QStringList arguments;
    std::optional<QString> feed;
    QStringList calls;
    QStringList log;
};

class UpdateTestLaunchTest : public ::testing::TestWithParam<UpdateTestCase> {};

// The about panel when asked for, then the logged interactive check of the feed; nothing else,
// not even for the arguments a normal launch answers.
TEST_P(UpdateTestLaunchTest, ShowsTheAboutPanelAndChecksTheFeed) {
    const UpdateTestCase &c = GetParam();
    QStringList calls;
    RecordingWindows windows(calls);
    RecordingSystemLog log;
    UpdateTestLaunch::didFinishLaunching(LaunchArguments::parse(c.arguments), c.feed, windows, log,
                                         [&calls] { calls.append(u"check"_s); });
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(log.lines(), c.log);
}

INSTANTIATE_TEST_SUITE_P(
    Launches, UpdateTestLaunchTest,
    ::testing::Values(
        UpdateTestCase{"AboutAndFeed",
                       {u"--show-about"_s, u"--open-settings"_s, u"--report"_s},
                       u"https://example.com/test.xml"_s,
                       {u"about"_s, u"check"_s},
                       {u"Zorv update test: checking https://example.com/test.xml"_s}},
        UpdateTestCase{"EmptyFeed", {}, u""_s, {u"check"_s}, {u"Zorv update test: checking "_s}},
        UpdateTestCase{"BundleWithoutFeed", {u"--show-about"_s}, std::nullopt, {u"about"_s}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(UpdateTestLaunchModeTest, FollowsTheFeedVariableOrTheBundle) {
    EXPECT_TRUE(UpdateTestLaunch::isUpdateTest(u""_s, u"app.zorv.Zorv"_s));
    EXPECT_TRUE(UpdateTestLaunch::isUpdateTest(std::nullopt, u"app.zorv.Zorv.updatetest"_s));
    EXPECT_FALSE(UpdateTestLaunch::isUpdateTest(std::nullopt, u"app.zorv.Zorv"_s));
}

TEST_F(ShellTest, ARefusedTuckIsLoggedAndReopeningOpensSettings) {
    store(settled());
    launched();
    ASSERT_TRUE(tuckRefused);
    tuckRefused();
    ASSERT_FALSE(harness.log.lines().isEmpty());
    EXPECT_TRUE(harness.log.lines().last().startsWith(
        u"Zorv: kept the bar visible to avoid hiding Zorv's own icon."_s));

    harness.desktop().application().userReopens();
    EXPECT_EQ(calls.last(), u"settings(-)"_s);
}

TEST_F(ShellTest, ModelRequestsReachTheShell) {
    store(settled());
    launched();
    harness.model().replayOnboarding();
    EXPECT_EQ(calls.last(), u"onboarding"_s);

    harness.model().setRevealShortcut(
        KeyShortcut(15, KeyShortcut::kControl | KeyShortcut::kOption));
    const auto keys = harness.desktop().hotKeys().ownRegistrations();
    ASSERT_EQ(keys.size(), 2);
    EXPECT_EQ(keys.first().keyCode, 15);

    harness.model().setShowInDockAndSwitcher(false);
    EXPECT_EQ(harness.desktop().application().activationPolicy(), ActivationPolicy::Accessory);
}

TEST_F(ShellTest, TerminatingWritesTheStores) {
    store(settled());
    launched();
    harness.model().setAutoRehide(42);
    harness.desktop().application().terminate();
    QFile file(harness.dataFolder() + u"/settings.json"_s);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("42"));
}

} // namespace
} // namespace zorv
