#include "appinput.h"
#include "appwindow.h"
#include "desktopdump.h"
#include "onboardingcontroller.h"
#include "scenariomac.h"
#include "settingswindowcontroller.h"
#include "wholeapptest.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QQuickWindow>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// Zorv's first launch on the laptop, asked for the Profiles pane by its address.
class LaunchAddressAppTest : public WholeAppTest {
protected:
    LaunchAddressAppTest()
        : WholeAppTest(reachableLaptop({}), launchedWith(u"zorv://settings/profiles"_s)) {}
};

// The Settings asked for is the front window with the keyboard, the welcome window open behind
// it: the Escape typed then puts the pane's guide card away, and the next one closes Settings.
TEST_F(LaunchAddressAppTest, TheFirstLaunchPutsTheAskedSettingsInFrontOfTheWelcome) {
    ASSERT_NO_FATAL_FAILURE(launch("{}"));
    ASSERT_NE(app.onboarding(), nullptr) << "a first launch shows the welcome tour";
    ASSERT_NE(app.settingsWindow(), nullptr);
    EXPECT_EQ(frontApplication(), u"Zorv"_s);
    const QJsonArray windows = DesktopDump::toJson(platform).value(u"windows"_s).toArray();
    ASSERT_EQ(windows.size(), 2) << QJsonDocument(windows).toJson().toStdString();
    EXPECT_EQ(windows[0][u"title"_s], u"Zorv"_s);
    EXPECT_EQ(windows[0][u"key"_s], true);
    EXPECT_EQ(windows[1][u"title"_s], u"Welcome to Zorv"_s);
    EXPECT_EQ(windows[1][u"visible"_s], true);

    QQuickWindow *settings = app.settingsWindow()->window();
    EXPECT_EQ(settings->property("paneItem").value<QObject *>()->property("title"), u"Profiles"_s);
    ASSERT_TRUE(settings->property("guideShown").toBool());
    press(KeyCode::escape);
    EXPECT_FALSE(settings->property("guideShown").toBool());
    press(KeyCode::escape);
    EXPECT_FALSE(app.settingsWindow()->appWindow()->isVisible());
    EXPECT_TRUE(app.onboarding()->appWindow()->isKeyWindow());
}

} // namespace
} // namespace zorv
