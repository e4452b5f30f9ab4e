#include "appinput.h"
#include "appwindow.h"
#include "desktopdump.h"
#include "instance/singleinstance.h"
#include "onboardingcontroller.h"
#include "scenariomac.h"
#include "settingswindowcontroller.h"
#include "wholeapptest.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr double safariAt = 10;

// Zorv launched on the laptop, asked for the Profiles pane by its address; Safari comes to the
// front at 10 s.
class LaunchAddressAppTest : public WholeAppTest {
protected:
    LaunchAddressAppTest()
        : WholeAppTest(reachableLaptop(QJsonArray{QJsonObject{{u"at"_s, safariAt},
                                                              {u"do"_s, u"activate"_s},
                                                              {u"app"_s, u"com.apple.Safari"_s}}}),
                       launchedWith(u"zorv://settings/profiles"_s)) {}

    // Whether Settings is the front window with the keyboard, on the pane titled `title`, Zorv
    // in front.
    void expectSettingsInFrontOn(const QString &title) {
        ASSERT_NE(app.settingsWindow(), nullptr);
        EXPECT_EQ(frontApplication(), u"Zorv"_s);
        const QJsonArray windows = DesktopDump::toJson(platform).value(u"windows"_s).toArray();
        ASSERT_FALSE(windows.isEmpty());
        EXPECT_EQ(windows[0][u"title"_s].toString(), u"Zorv"_s);
        EXPECT_TRUE(windows[0][u"visible"_s].toBool() && windows[0][u"key"_s].toBool())
            << QJsonDocument(windows).toJson().toStdString();
        QObject *pane = app.settingsWindow()->window()->property("paneItem").value<QObject *>();
        ASSERT_NE(pane, nullptr);
        EXPECT_EQ(pane->property("title"), title);
    }
};

// The Settings asked for is the front window with the keyboard, the welcome window open behind
// it: the Escape typed then puts the pane's guide card away, and the next one closes Settings.
TEST_F(LaunchAddressAppTest, TheFirstLaunchPutsTheAskedSettingsInFrontOfTheWelcome) {
    ASSERT_NO_FATAL_FAILURE(launch("{}"));
    ASSERT_NE(app.onboarding(), nullptr) << "a first launch shows the welcome tour";
    ASSERT_NO_FATAL_FAILURE(expectSettingsInFrontOn(u"Profiles"_s));
    const QJsonArray windows = DesktopDump::toJson(platform).value(u"windows"_s).toArray();
    ASSERT_EQ(windows.size(), 2) << QJsonDocument(windows).toJson().toStdString();
    EXPECT_EQ(windows[1][u"title"_s], u"Welcome to Zorv"_s);
    EXPECT_EQ(windows[1][u"visible"_s], true);

    QQuickWindow *settings = app.settingsWindow()->window();
    ASSERT_TRUE(settings->property("guideShown").toBool());
    press(KeyCode::escape);
    EXPECT_FALSE(settings->property("guideShown").toBool());
    press(KeyCode::escape);
    EXPECT_FALSE(app.settingsWindow()->appWindow()->isVisible());
    EXPECT_TRUE(app.onboarding()->appWindow()->isKeyWindow());
}

// Zorv opened again by a second launch on its data folder, its icon hidden, after the user closed
// Settings and went on in Safari: a launch that asks nothing (the Mac's re-open) brings Settings
// back to the front on the pane it was last on; one with an address opens that pane. The second
// launch hands over and quits either way.
TEST_F(LaunchAddressAppTest, ASecondLaunchBringsSettingsToTheFront) {
    ASSERT_NO_FATAL_FAILURE(launch(R"({"onboardingCompleted": true, "hideZorvIcon": true})"));
    const QTemporaryDir folder;
    const QString name = SingleInstance::serverName(u"app.zorv.Zorv.test"_s, folder.path());
    SingleInstance running(name);
    ASSERT_EQ(running.claim({}), SingleInstance::Claim::Running);
    QObject::connect(&running, &SingleInstance::received, &app, &DesktopApp::openedByAnotherLaunch);
    QSignalSpy received(&running, &SingleInstance::received);
    const auto secondLaunch = [&](const QStringList &arguments) {
        SingleInstance second(name);
        ASSERT_EQ(second.claim(arguments), SingleInstance::Claim::HandedOver);
        ASSERT_TRUE(received.wait(5000));
        drain();
    };

    press(KeyCode::escape);
    press(KeyCode::escape);
    ASSERT_FALSE(app.settingsWindow()->appWindow()->isVisible());
    run(safariAt);
    ASSERT_EQ(frontApplication(), u"Safari"_s);

    ASSERT_NO_FATAL_FAILURE(secondLaunch({}));
    expectSettingsInFrontOn(u"Profiles"_s);

    ASSERT_NO_FATAL_FAILURE(secondLaunch({u"zorv://settings/style"_s}));
    expectSettingsInFrontOn(u"Menu Bar Style"_s);
}

} // namespace
} // namespace zorv
