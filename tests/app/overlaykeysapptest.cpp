#include "reportmodel.h"
#include "scenariomac.h"
#include "settingswindowcontroller.h"
#include "storage/zorvpaths.h"
#include "wholeapptest.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkProxy>
#include <QQuickWindow>
#include <QTest>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The names of the profiles in Zorv's profiles file.
QStringList storedProfileNames() {
    QFile file(ZorvPaths::file(u"profiles.json"_s));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList names;
    for (const QJsonValue profile :
         QJsonDocument::fromJson(file.readAll())[u"profiles"_s].toArray()) {
        names.append(profile[u"name"_s].toString());
    }
    return names;
}

// The switches of the Menu Bar Style pane that lay a window over the bar, clicked in turn, and
// whether a window lies over the bar then.
struct OverlaySwitches {
    std::vector<const char *> clicked;
    bool overlaid;
};

void PrintTo(const OverlaySwitches &overlay, std::ostream *out) {
    for (const char *name : overlay.clicked) {
        *out << name << ' ';
    }
}

// Zorv's windows on the laptop while its appearance lays windows over the menu bar, driven only
// through the simulated Mac's mouse and keyboard.
class OverlayKeysAppTest : public WholeAppTest,
                           public ::testing::WithParamInterface<OverlaySwitches> {
protected:
    OverlayKeysAppTest() : WholeAppTest(reachableLaptop({})) {}

    // Takes away the first visit's guide card over the pane, with Escape, when one comes up.
    void dismissGuide(QQuickWindow *window) {
        run(1);
        if (window->property("guideShown").toBool()) {
            press(KeyCode::escape);
            EXPECT_FALSE(window->property("guideShown").toBool()) << "Escape closes the guide card";
        }
    }
};

// Whether a window of Zorv's lies over the menu bar.
bool barOverlaid(SimulatedDesktop &mac) {
    const QList<SimAppWindow *> windows = mac.appWindows().windows();
    return std::ranges::any_of(windows, [](const SimAppWindow *window) {
        return window->isVisible() && window->title() == u"Menu Bar Look"_s;
    });
}

// On a first launch, with a window laid over the bar by the switches of the Style pane, changed
// by them or taken off it, Settings keeps the keyboard: Escape closes the guide cards, a profile
// name typed in the Profiles pane is saved with Return, and Escape then closes Settings.
TEST_P(OverlayKeysAppTest, SettingsKeepsTheKeyboardWhenTheBarIsStyled) {
    ASSERT_NO_FATAL_FAILURE(launch("{}"));
    ASSERT_NE(app.onboarding(), nullptr) << "a first launch shows the welcome tour";
    QQuickWindow *window = openSettingsFromStatusMenu();
    ASSERT_NE(window, nullptr);
    ASSERT_NO_FATAL_FAILURE(clickControl(window, u"rail-appearance"_s));
    ASSERT_NO_FATAL_FAILURE(dismissGuide(window));
    for (const char *name : GetParam().clicked) {
        ASSERT_NO_FATAL_FAILURE(clickControl(window, QString::fromLatin1(name)));
        run(1);
    }
    ASSERT_EQ(barOverlaid(mac()), GetParam().overlaid);

    ASSERT_NO_FATAL_FAILURE(clickControl(window, u"rail-profiles"_s));
    ASSERT_NO_FATAL_FAILURE(dismissGuide(window));
    ASSERT_NO_FATAL_FAILURE(clickControl(window, u"newName"_s));
    ASSERT_NO_FATAL_FAILURE(type(u"Work"_s));
    press(KeyCode::returnKey);
    run(2);
    EXPECT_EQ(storedProfileNames(), QStringList{u"Work"_s});

    press(KeyCode::escape);
    EXPECT_FALSE(app.settingsWindow()->appWindow()->isVisible()) << "Escape closes Settings";
}

INSTANTIATE_TEST_SUITE_P(
    Switches, OverlayKeysAppTest,
    ::testing::Values(OverlaySwitches{{"tint"}, true}, OverlaySwitches{{"hairline"}, true},
                      OverlaySwitches{{"tint", "hairline", "tint"}, true},
                      OverlaySwitches{{"hairline", "tint", "hairline", "tint"}, false}));

// Settings of someone who has finished the welcome tour and tinted the bar.
constexpr auto tintedSettings = R"({"onboardingCompleted": true, "appearance": {
    "tintEnabled": true, "tintHex": "#336699", "tintOpacity": 0.5, "borderEnabled": false,
    "shadowEnabled": false, "cornerRadius": 0}})";

// Zorv launched with "--report" while the bar is tinted from before.
class TintedReportAppTest : public WholeAppTest {
protected:
    TintedReportAppTest() : WholeAppTest(reachableLaptop({}), launchedWith(u"--report"_s)) {}
};

// Zorv launched with "--open-settings" while the bar is tinted from before.
class TintedSettingsAppTest : public WholeAppTest {
protected:
    TintedSettingsAppTest()
        : WholeAppTest(reachableLaptop({}), launchedWith(u"--open-settings"_s)) {}
};

// Settings opened at launch over a tinted bar takes Escape: first for its guide card, then
// for itself.
TEST_F(TintedSettingsAppTest, EscapeClosesTheGuideAndThenSettings) {
    ASSERT_NO_FATAL_FAILURE(launch(tintedSettings));
    ASSERT_TRUE(barOverlaid(mac()));
    ASSERT_NE(app.settingsWindow(), nullptr);
    QQuickWindow *window = app.settingsWindow()->window();
    ASSERT_TRUE(window->property("guideShown").toBool());
    press(KeyCode::escape);
    EXPECT_FALSE(window->property("guideShown").toBool()) << "Escape closes the guide card";
    press(KeyCode::escape);
    EXPECT_FALSE(app.settingsWindow()->appWindow()->isVisible()) << "Escape closes Settings";
}

// The report window that opens at launch over a tinted bar takes the typed report, and
// Command-Return sends it.
TEST_F(TintedReportAppTest, TheReportTakesTypingAndCommandReturn) {
    ASSERT_NO_FATAL_FAILURE(launch(tintedSettings));
    ASSERT_TRUE(barOverlaid(mac()));
    ASSERT_NE(app.reports().appWindow(), nullptr);
    ASSERT_TRUE(app.reports().appWindow()->isKeyWindow());

    const QString report = u"The tint hides an icon."_s;
    ASSERT_NO_FATAL_FAILURE(type(report));
    EXPECT_EQ(app.reports().model()->text(), report);
    // Nothing answers at this address: the send fails whatever the network.
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, u"127.0.0.1"_s, 9));
    press(KeyCode::returnKey, EventFlags::command);
    const bool ended = QTest::qWaitFor([&] {
        run(1);
        const auto phase = app.reports().model()->phase();
        return !std::holds_alternative<ReportProblem::Writing>(phase) &&
               !std::holds_alternative<ReportProblem::Sending>(phase);
    });
    QNetworkProxy::setApplicationProxy(QNetworkProxy());
    EXPECT_TRUE(ended) << "Command-Return sent the report";
}

} // namespace
} // namespace zorv
