#include "scenario/scenarioloader.h"
#include "scenariomac.h"
#include "wholeapptest.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QQuickWindow>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr double shrunkAt = 20;

// The laptop (1512 x 982) whose resolution is lowered to 1280 x 800 `shrunkAt` seconds in.
Scenario laptopThatShrinks() {
    return ScenarioLoader::parse(uR"({
        "name": "lower resolution",
        "start": "2026-12-01T09:00:00Z",
        "screens": [{"name": "Laptop", "frame": {"x": 0, "y": 0, "width": 1512, "height": 982}}],
        "applications": [{"bundleId": "com.example.a", "name": "A",
                          "items": [{"autosaveName": "a1"}]}],
        "events": [{"at": %1, "do": "changeScreen", "display": 1,
                    "frame": {"x": 0, "y": 0, "width": 1280, "height": 800}}]
    })"_s.arg(shrunkAt)
                                     .toUtf8(),
                                 u"lower resolution"_s);
}

// Zorv beside a window of another program on the host. Also run on a display (the `vnc`
// platform), where Zorv's windows are real windows of their own.
class HostFocusAppTest : public WholeAppTest {
protected:
    HostFocusAppTest() : WholeAppTest(laptopThatShrinks()) {}

    // Qt's focus window once the platform's pending activations are in.
    static QWindow *focused() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return QGuiApplication::focusWindow();
    }
};

// Settings stays the simulated Mac's key window while the person types in another program: when
// the display change moves it, the keyboard stays with that program's window.
TEST_F(HostFocusAppTest, MovingTheKeyWindowLeavesQtsFocusWithAnotherProgram) {
    ASSERT_NO_FATAL_FAILURE(launch(tourDoneSettings));
    QQuickWindow *settings = openSettingsFromStatusMenu();
    ASSERT_NE(settings, nullptr);
    run(1);
    ASSERT_TRUE(serverOf(settings)->isKeyWindow());

    QWindow other;
    other.setGeometry(40, 40, 200, 150);
    other.show();
    other.requestActivate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return focused() == &other; }, 2000))
        << "the other program's window has Qt's focus";

    const QRectF before = serverOf(settings)->record().frame;
    ASSERT_LT(platform.scenario().elapsed(), seconds(shrunkAt));
    run(shrunkAt);
    ASSERT_NE(serverOf(settings)->record().frame, before) << "the display change moved Settings";
    EXPECT_TRUE(serverOf(settings)->isKeyWindow());
    EXPECT_EQ(focused(), &other);
}

} // namespace
} // namespace zorv
