#include "appinput.h"
#include "scenario/scenarioloader.h"
#include "scenariomac.h"
#include "settingswindowcontroller.h"
#include "settingswindowmodel.h"
#include "wholeapptest.h"

#include <gtest/gtest.h>

#include <QQuickWindow>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr double unpluggedAt = 20;

// A laptop (1512 x 982) with a 2560 x 1440 display on its right, tops level, that is unplugged
// `unpluggedAt` seconds in.
Scenario laptopWithADisplayUnplugged() {
    return ScenarioLoader::parse(uR"({
        "name": "two displays",
        "start": "2026-12-01T09:00:00Z",
        "screens": [
            {"name": "Laptop", "frame": {"x": 0, "y": 0, "width": 1512, "height": 982}},
            {"name": "Studio", "scale": 1,
             "frame": {"x": 1512, "y": -458, "width": 2560, "height": 1440}}],
        "applications": [{"bundleId": "com.example.a", "name": "A",
                          "items": [{"autosaveName": "a1"}]}],
        "events": [{"at": %1, "do": "removeScreen", "display": 2}]
    })"_s.arg(unpluggedAt)
                                     .toUtf8(),
                                 u"two displays"_s);
}

class UnpluggedDisplayAppTest : public WholeAppTest {
protected:
    UnpluggedDisplayAppTest() : WholeAppTest(laptopWithADisplayUnplugged()) {}
};

// Settings dragged by its title bar onto the second display comes over to the laptop, whole below
// its menu bar, when that display is unplugged, and a click on it still works.
TEST_F(UnpluggedDisplayAppTest, SettingsComesOverToTheLaptopAndStillTakesClicks) {
    ASSERT_NO_FATAL_FAILURE(launch(tourDoneSettings));
    QQuickWindow *window = openSettingsFromStatusMenu();
    ASSERT_NE(window, nullptr);
    const auto outer = [&] { return TitleBar::outerFrame(serverOf(window)->record()); };

    const QPointF grab = outer().topLeft() + QPointF(300, TitleBar::height / 2);
    mac().userInput().drag(grab, grab + QPointF(1512 + 900 - outer().left(), 500));
    drain();
    ASSERT_GE(outer().left(), 1512) << "on the second display";

    ASSERT_LT(platform.scenario().elapsed(), seconds(unpluggedAt));
    run(unpluggedAt);
    ASSERT_EQ(mac().screens().screens().size(), 1);
    EXPECT_TRUE(app.settingsWindow()->appWindow()->isVisible());
    EXPECT_TRUE(QRectF(0, 24, 1512, 958).contains(outer()))
        << "whole on the laptop below its bar, at x " << outer().x() << ", y " << outer().y();

    if (window->property("guideShown").toBool()) {
        ASSERT_NO_FATAL_FAILURE(clickControl(window, u"guideDone"_s));
    }
    ASSERT_NO_FATAL_FAILURE(clickControl(window, u"rail-profiles"_s));
    EXPECT_EQ(app.settingsWindow()->model()->pane(), u"profiles"_s);
}

} // namespace
} // namespace zorv
