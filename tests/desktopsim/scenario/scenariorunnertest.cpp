#include "scenario/scenariorunner.h"
#include "cloud/simcloud.h"
#include "manualclock.h"
#include "preferences/statusitemspacing.h"
#include "scenario/clockface.h"
#include "scenario/scenarioloader.h"
#include "scenario/scenarioplayer.h"
#include "simulateddesktop.h"
#include "workspace/simworkspace.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString kA = u"com.example.a"_s;
const QString kControlCenter = u"com.apple.controlcenter"_s;

class ScenarioRunnerTest : public ::testing::Test {
protected:
    explicit ScenarioRunnerTest(const QDateTime &wallStart = QDateTime(QDate(2026, 12, 1),
                                                                       QTime(9, 0),
                                                                       QTimeZone::utc()))
        : clock(wallStart) {}

    ManualClock clock;
    SimulatedDesktop desktop{clock, AppDescription{u"app.zorv.Zorv"_s, u"Zorv"_s}};
    SimWorkspace workspace{desktop.model()};
    SimGlobalPreferences preferences;
    SimCloud cloud;
    std::unique_ptr<ScenarioRunner> runner;

    // Runs a scenario whose "%1" stands for one laptop screen.
    void start(const char *json) {
        const QLatin1StringView laptop(
            R"({"name": "Laptop", "frame": {"x": 0, "y": 0, "width": 1512, "height": 982},
                "menuBarHeight": 37, "cameraHousingWidth": 200})");
        const QByteArray text = QString::fromUtf8(json).arg(laptop).toUtf8();
        linkStatusItemSpacing(preferences, desktop.applications());
        runner = std::make_unique<ScenarioRunner>(ScenarioLoader::parse(text, u"test"_s), desktop,
                                                  workspace, preferences, cloud);
        runner->start();
        clock.settle();
    }

    // The bar's items from left to right by autosave name, separated by spaces.
    QString order() {
        QStringList names;
        for (const BarEntry &entry : desktop.readout().bar()) {
            names.append(entry.autosaveName);
        }
        return names.join(u' ');
    }

    BarEntry entry(const QString &app, const QString &item) {
        const auto id = runner->player().itemId(app, item);
        const auto found = id ? desktop.readout().entry(*id) : std::nullopt;
        EXPECT_TRUE(found) << item.toStdString() << " is not on the bar";
        return found.value_or(BarEntry{});
    }
};

TEST_F(ScenarioRunnerTest, SetsTheMacUpAsDescribed) {
    start(R"({"name": "t", "screens": [%1],
        "preferences": {"NSStatusItemSpacing": 12},
        "permissions": {"screenRecording": false},
        "rememberedPositions": {"com.example.a": {"a1": 0}},
        "applications": [
            {"bundleId": "com.apple.controlcenter", "items": [
                {"autosaveName": "Clock", "length": 60, "immovable": true}]},
            {"bundleId": "com.example.a", "items": [{"autosaveName": "a1"}]},
            {"bundleId": "com.example.b", "items": [{"autosaveName": "b1", "hidden": true},
                                                    {"autosaveName": "b2", "length": 30}]},
            {"bundleId": "com.example.c", "running": false, "items": [{"autosaveName": "c1"}]},
            {"bundleId": "com.example.d", "activationPolicy": "regular", "menusWidth": 300,
             "frontmost": true}]})");

    // Each new item lands at the left end; a1 goes back to its remembered slot at the right.
    EXPECT_EQ(order(), u"b2 b1 a1 Clock"_s);
    EXPECT_FALSE(entry(u"com.example.b"_s, u"b1"_s).visible);
    EXPECT_EQ(entry(u"com.example.b"_s, u"b2"_s).frame.width(), 30.0);
    const ApplicationRegistry &apps = desktop.applications();
    EXPECT_EQ(apps.statusItemSpacing(), 12.0);
    EXPECT_EQ(apps.application(apps.currentProcessId())->statusItemSpacing, 12.0)
        << "this process launches into the scenario's spacing too";
    EXPECT_EQ(preferences.storedValue(u"NSStatusItemSpacing"_s), QVariant(12.0));
    EXPECT_FALSE(desktop.permissions().screenRecordingGranted());
    EXPECT_TRUE(desktop.permissions().accessibilityTrusted());

    EXPECT_FALSE(runner->player().processId(u"com.example.c"_s));
    EXPECT_EQ(workspace.applicationPath(u"com.example.c"_s), u"/Applications/com.example.c.app"_s);
    EXPECT_EQ(workspace.frontmostApplication().value_or(RunningApplication{}).bundleIdentifier,
              u"com.example.d"_s);
    const QList<ScreenRecord> screens = desktop.arrangement().screens();
    ASSERT_EQ(screens.size(), 1);
    EXPECT_EQ(screens[0].cameraHousingWidth, 200.0);
    EXPECT_EQ(screens[0].menuBarHeight, 37.0);
}

// Events happen at their simulated time, not before; a relaunched application brings back the
// items it had when it quit, changes included, where they stood.
// A program started on the Mac reads the bar before its event loop first turns, often from
// another thread: the items of the applications already running stand on the bar by then.
TEST_F(ScenarioRunnerTest, TheBarIsLaidOutBeforeTheEventLoopTurns) {
    runner = std::make_unique<ScenarioRunner>(
        ScenarioLoader::parse(R"({"name": "t", "layoutPassDelay": 2,
            "screens": [{"name": "Screen", "frame": {"x": 0, "y": 0, "width": 1000, "height": 700}}],
            "applications": [{"bundleId": "com.example.a",
                              "items": [{"autosaveName": "a1"}, {"autosaveName": "a2"}]}]})",
                              u"test"_s),
        desktop, workspace, preferences, cloud);
    runner->start();
    EXPECT_EQ(order(), u"a2 a1"_s);
    EXPECT_GT(entry(kA, u"a1"_s).frame.width(), 0.0);

    // Later changes still wait for their pass.
    desktop.items().setLength(*runner->player().itemId(kA, u"a1"_s), 50);
    clock.advance(seconds(1.0));
    EXPECT_NE(entry(kA, u"a1"_s).frame.width(), 50.0);
    clock.advance(seconds(1.0));
    EXPECT_EQ(entry(kA, u"a1"_s).frame.width(), 50.0);
}

TEST_F(ScenarioRunnerTest, TimedEventsHappenAtTheirTime) {
    start(R"({"name": "t", "screens": [%1],
        "applications": [
            {"bundleId": "com.example.a", "items": [{"autosaveName": "a1"}]},
            {"bundleId": "com.example.c", "running": false, "items": [{"autosaveName": "c1"}]}],
        "events": [
            {"at": 10, "do": "launch", "app": "com.example.c"},
            {"at": 20, "do": "addItem", "app": "com.example.a",
             "item": {"autosaveName": "a2", "length": 40}},
            {"at": 30, "do": "setTitle", "app": "com.example.a", "item": "a2", "title": "hi"},
            {"at": 40, "do": "quit", "app": "com.example.a"},
            {"at": 50, "do": "launch", "app": "com.example.a"},
            {"at": 60, "do": "removeItem", "app": "com.example.c", "item": "c1"}]})");

    clock.advance(seconds(9.9));
    EXPECT_FALSE(runner->player().processId(u"com.example.c"_s));
    EXPECT_EQ(runner->eventsApplied(), 0);
    clock.advance(seconds(0.1));
    EXPECT_TRUE(runner->player().processId(u"com.example.c"_s));

    clock.advance(seconds(30));
    EXPECT_FALSE(runner->player().processId(kA));
    EXPECT_EQ(order(), u"c1"_s);

    clock.advance(seconds(10));
    EXPECT_EQ(order(), u"a2 c1 a1"_s);
    EXPECT_EQ(entry(kA, u"a2"_s).title, u"hi"_s);
    EXPECT_EQ(entry(kA, u"a2"_s).frame.width(), 40.0);

    clock.advance(seconds(10));
    EXPECT_EQ(order(), u"a2 a1"_s);
    EXPECT_EQ(runner->eventsApplied(), 6);
}

TEST_F(ScenarioRunnerTest, UserDragsScreensAndPermissions) {
    start(R"({"name": "t", "screens": [%1],
        "applications": [
            {"bundleId": "com.example.a", "items": [{"autosaveName": "a1"}, {"autosaveName": "a2"},
                                                    {"autosaveName": "gone", "hidden": true}]}],
        "events": [
            {"at": 1, "do": "dragItem", "app": "com.example.a", "item": "a2", "toX": 1500},
            {"at": 2, "do": "dragItem", "app": "com.example.a", "item": "gone", "toX": 1500},
            {"at": 3, "do": "addScreen", "screen": {"displayId": 7, "name": "Wide",
             "frame": {"x": 1512, "y": 0, "width": 7680, "height": 2160}, "scale": 1}},
            {"at": 4, "do": "changeScreen", "display": 7,
             "frame": {"x": -2560, "y": 0, "width": 2560, "height": 1440}},
            {"at": 5, "do": "permission", "permission": "accessibility", "granted": false},
            {"at": 6, "do": "input", "input": "mouseMove", "x": 40, "y": 500},
            {"at": 7, "do": "removeScreen", "display": 1}]})");
    QSignalSpy warnings(runner.get(), &ScenarioRunner::warning);
    EXPECT_EQ(order(), u"gone a2 a1"_s);

    clock.advance(seconds(2));
    EXPECT_EQ(order(), u"gone a1 a2"_s);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0][0].toString().startsWith(u"At 2 s: \"gone\""_s));

    clock.advance(seconds(1));
    const auto wide = runner->player().displayId(7);
    ASSERT_TRUE(wide);
    ASSERT_EQ(desktop.arrangement().screens().size(), 2);
    EXPECT_EQ(desktop.arrangement().screens()[1].frame.width(), 7680.0);

    clock.advance(seconds(1));
    EXPECT_EQ(desktop.arrangement().screens()[1].frame, QRectF(-2560, 0, 2560, 1440));

    clock.advance(seconds(2));
    EXPECT_FALSE(desktop.permissions().accessibilityTrusted());
    EXPECT_EQ(desktop.readout().cursor().location, QPointF(40, 500));

    clock.advance(seconds(1));
    const QList<ScreenRecord> screens = desktop.arrangement().screens();
    ASSERT_EQ(screens.size(), 1);
    EXPECT_EQ(screens[0].displayId, *wide);
    EXPECT_EQ(screens[0].frame.topLeft(), QPointF(0, 0));
}

// A scenario's clicks and drags hold their modifier keys down around them: an Option-click
// reaches the item with Option, a drag without Command leaves the bar as it was, and a
// Command-drag moves the item it starts on.
TEST_F(ScenarioRunnerTest, ClicksAndDragsHoldTheirModifierKeys) {
    start(R"({"name": "t", "screens": [%1],
        "applications": [{"bundleId": "com.example.a", "items": [
            {"autosaveName": "a1", "length": 30}, {"autosaveName": "a2", "length": 30}]}],
        "events": [
            {"at": 1, "do": "input", "input": "leftClick", "x": 1487, "y": 18,
             "modifiers": ["option"]},
            {"at": 2, "do": "input", "input": "drag", "x": 1441, "y": 18, "toX": 1505, "toY": 18},
            {"at": 3, "do": "input", "input": "drag", "x": 1441, "y": 18, "toX": 1505, "toY": 18,
             "modifiers": ["command"]}]})");
    ASSERT_EQ(order(), u"a2 a1"_s);
    ASSERT_EQ(entry(kA, u"a1"_s).frame.center().x(), 1487.0);
    ASSERT_EQ(entry(kA, u"a2"_s).frame.center().x(), 1441.0);

    clock.advance(seconds(1));
    const QList<DeliveredClick> clicks = desktop.readout().clicks();
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0].itemId, entry(kA, u"a1"_s).itemId);
    EXPECT_EQ(clicks[0].modifierFlags, EventFlags::option);

    clock.advance(seconds(1));
    EXPECT_EQ(order(), u"a2 a1"_s);
    clock.advance(seconds(1));
    EXPECT_EQ(order(), u"a1 a2"_s);
}

// A modifier key pressed on its own stays held, and every click in between carries it with the
// click's own; a scroll turns the wheel its amount of lines in its direction, down by one unless
// told.
TEST_F(ScenarioRunnerTest, ModifierKeysStayHeldOnTheirOwnAndScrollsTurnTheirAmount) {
    start(R"({"name": "t", "screens": [%1],
        "applications": [{"bundleId": "com.example.a", "items": [
            {"autosaveName": "a1", "length": 30}]}],
        "events": [
            {"at": 1, "do": "input", "input": "modifierDown", "modifier": "option"},
            {"at": 2, "do": "input", "input": "leftClick", "x": 1487, "y": 18},
            {"at": 2.5, "do": "input", "input": "key", "keyCode": 53},
            {"at": 3, "do": "input", "input": "leftClick", "x": 1487, "y": 18,
             "modifiers": ["shift", "option"]},
            {"at": 3.5, "do": "input", "input": "key", "keyCode": 53},
            {"at": 4, "do": "input", "input": "modifierUp", "modifier": "option"},
            {"at": 5, "do": "input", "input": "leftClick", "x": 1487, "y": 18},
            {"at": 6, "do": "input", "input": "scroll", "x": 700, "y": 12, "direction": "up",
             "amount": 3},
            {"at": 7, "do": "input", "input": "scroll", "x": 700, "y": 12},
            {"at": 8, "do": "input", "input": "scroll", "x": 700, "y": 12, "direction": "down",
             "amount": 2}]})");
    QList<quint64> optionKey;
    QList<QPointF> scrolls;
    desktop.userInput().setListener(
        [&](EventType type, QPointF, quint16 keyCode, quint64 flags, QPointF delta, bool) {
            if (keyCode == KeyCode::option) {
                optionKey.append(flags);
            }
            if (type == EventType::ScrollWheel) {
                scrolls.append(delta);
            }
        });

    clock.advance(seconds(5));
    EXPECT_EQ(optionKey, (QList<quint64>{EventFlags::option, EventFlags::none}))
        << "Option went down once and came up once";
    const QList<DeliveredClick> clicks = desktop.readout().clicks();
    ASSERT_EQ(clicks.size(), 3);
    EXPECT_EQ(clicks[0].modifierFlags, EventFlags::option);
    EXPECT_EQ(clicks[1].modifierFlags, EventFlags::option | EventFlags::shift);
    EXPECT_EQ(clicks[2].modifierFlags, EventFlags::none);

    clock.advance(seconds(3));
    EXPECT_EQ(scrolls, (QList<QPointF>{{0, 3.0}, {0, -1.0}, {0, -2.0}}));
}

// The clock shows the simulated time and its width changes each minute, pushing whatever lies
// left of it; after its application is relaunched its new item keeps ticking.
TEST_F(ScenarioRunnerTest, ClockItemFollowsTheMinute) {
    start(R"({"name": "t", "screens": [%1],
        "applications": [
            {"bundleId": "com.apple.controlcenter", "items": [
                {"autosaveName": "Clock", "immovable": true, "clock": true}]},
            {"bundleId": "com.example.a", "items": [{"autosaveName": "a1"}]}],
        "events": [
            {"at": 90, "do": "quit", "app": "com.apple.controlcenter"},
            {"at": 100, "do": "launch", "app": "com.apple.controlcenter"}]})");
    const BarEntry atNine = entry(kControlCenter, u"Clock"_s);
    EXPECT_EQ(atNine.title, u"Tue 1 Dec 9:00"_s);
    const double a1AtNine = entry(kA, u"a1"_s).frame.x();

    clock.advance(seconds(60));
    const BarEntry nextMinute = entry(kControlCenter, u"Clock"_s);
    EXPECT_EQ(nextMinute.title, u"Tue 1 Dec 9:01"_s);
    EXPECT_NE(nextMinute.frame.width(), atNine.frame.width());
    EXPECT_EQ(entry(kA, u"a1"_s).frame.x() - a1AtNine,
              atNine.frame.width() - nextMinute.frame.width());

    clock.advance(seconds(3600));
    EXPECT_EQ(entry(kControlCenter, u"Clock"_s).title, u"Tue 1 Dec 10:01"_s);
}

class ScenarioRunnerBefore1970Test : public ScenarioRunnerTest {
protected:
    ScenarioRunnerBefore1970Test()
        : ScenarioRunnerTest(QDateTime(QDate(1969, 12, 31), QTime(23, 59, 30), QTimeZone::utc())) {}
};

// Before 1970 the milliseconds since the epoch are negative; the clock still turns over on the
// minute rather than skipping the next one.
TEST_F(ScenarioRunnerBefore1970Test, ClockTurnsOverOnTheMinute) {
    start(R"({"name": "t", "screens": [%1],
        "applications": [{"bundleId": "com.apple.controlcenter", "items": [
            {"autosaveName": "Clock", "immovable": true, "clock": true}]}]})");
    EXPECT_EQ(entry(kControlCenter, u"Clock"_s).title, u"Wed 31 Dec 23:59"_s);
    clock.advance(seconds(30));
    EXPECT_EQ(entry(kControlCenter, u"Clock"_s).title, u"Thu 1 Jan 0:00"_s);
}

TEST_F(ScenarioRunnerTest, EventsChangeDisplaysApplicationsAndPreferences) {
    start(R"({"name": "t", "activeDisplay": 2, "screens": [%1,
        {"name": "Side", "frame": {"x": 1512, "y": 0, "width": 1000, "height": 700}}],
        "applications": [
            {"bundleId": "com.example.a", "items": [{"autosaveName": "a1"}, {"autosaveName": "a2"}]},
            {"bundleId": "com.example.f", "activationPolicy": "regular", "menusWidth": 300,
             "frontmost": true},
            {"bundleId": "com.example.g", "activationPolicy": "regular", "menusWidth": 100}],
        "events": [
            {"at": 1, "do": "activateDisplay", "display": 1},
            {"at": 2, "do": "setHung", "app": "com.example.a", "hung": true},
            {"at": 3, "do": "activate", "app": "com.example.g", "menusWidth": 900},
            {"at": 4, "do": "setDrag", "app": "com.example.a", "drag": "never"},
            {"at": 5, "do": "setHidden", "app": "com.example.a", "item": "a1", "hidden": true},
            {"at": 6, "do": "setPreference", "key": "NSStatusItemSpacing", "value": 8},
            {"at": 7, "do": "changeScreen", "display": 1, "autoHidesMenuBar": true,
             "notHiding": true},
            {"at": 8, "do": "moveZorvIconToLeftEnd"},
            {"at": 9, "do": "quit", "app": "com.example.a"},
            {"at": 10, "do": "launch", "app": "com.example.a"}]})");
    QSignalSpy warnings(runner.get(), &ScenarioRunner::warning);
    const auto app = [&](const QString &ref) {
        return desktop.applications().application(*runner->player().processId(ref)).value();
    };
    EXPECT_EQ(entry(kA, u"a1"_s).displayId, runner->player().displayId(2));

    clock.advance(seconds(1));
    EXPECT_EQ(entry(kA, u"a1"_s).displayId, runner->player().displayId(1));
    clock.advance(seconds(1));
    EXPECT_TRUE(app(kA).hung);
    clock.advance(seconds(1));
    EXPECT_EQ(desktop.applications().frontmostProcessId(),
              runner->player().processId(u"com.example.g"_s));
    EXPECT_EQ(app(u"com.example.g"_s).menusWidth, 900.0);
    clock.advance(seconds(1));
    EXPECT_EQ(app(kA).dragAcceptance, DragAcceptance::Never);
    clock.advance(seconds(1));
    EXPECT_FALSE(entry(kA, u"a1"_s).visible);
    EXPECT_EQ(entry(kA, u"a1"_s).frame.width(), 24.0) << "a hidden button keeps its length";
    clock.advance(seconds(1));
    EXPECT_EQ(desktop.applications().statusItemSpacing(), 8.0);
    EXPECT_EQ(app(kA).statusItemSpacing, 16.0) << "a running application keeps its spacing";
    clock.advance(seconds(1));
    const ScreenRecord primary = desktop.arrangement().screens().front();
    EXPECT_TRUE(primary.autoHidesMenuBar);
    EXPECT_TRUE(primary.notHiding);
    clock.advance(seconds(1));
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0][0].toString().contains(u"Zorv has no icon"_s));

    // Relaunched: it answers again, its items still refuse drags, a1 is still hidden, and it
    // reads the new spacing.
    clock.advance(seconds(2));
    EXPECT_FALSE(app(kA).hung);
    EXPECT_EQ(app(kA).dragAcceptance, DragAcceptance::Never);
    EXPECT_TRUE(desktop.items().item(*runner->player().itemId(kA, u"a1"_s))->buttonHidden);
    EXPECT_EQ(entry(kA, u"a1"_s).frame.left() - entry(kA, u"a2"_s).frame.right(), 8.0);
}

// macOS puts a relaunched application's items back where they stood: one never dragged is not
// sent to the left end, and items standing in the order they were created in (left to right,
// against the usual right to left) keep that order.
TEST_F(ScenarioRunnerTest, RelaunchPutsItemsBackWhereTheyStood) {
    start(R"({"name": "t", "screens": [%1],
        "applications": [
            {"bundleId": "com.example.x", "items": [{"autosaveName": "x1"}]},
            {"bundleId": "com.example.m", "items": [{"autosaveName": "m1"}, {"autosaveName": "m2"}]},
            {"bundleId": "com.example.y", "items": [{"autosaveName": "y1"}]}],
        "events": [
            {"at": 10, "do": "quit", "app": "com.example.m"},
            {"at": 20, "do": "launch", "app": "com.example.m"},
            {"at": 30, "do": "quit", "app": "com.example.x"},
            {"at": 40, "do": "launch", "app": "com.example.x"}]})");
    ASSERT_EQ(order(), u"y1 m2 m1 x1"_s);
    ASSERT_TRUE(
        desktop.userInput().commandDragItem(*runner->player().itemId(u"com.example.m"_s, u"m2"_s),
                                            entry(u"com.example.x"_s, u"x1"_s).frame.left() - 2));
    clock.settle();
    ASSERT_EQ(order(), u"y1 m1 m2 x1"_s);

    clock.advance(seconds(10));
    EXPECT_EQ(order(), u"y1 x1"_s);
    clock.advance(seconds(10));
    EXPECT_EQ(order(), u"y1 m1 m2 x1"_s);
    clock.advance(seconds(20));
    EXPECT_EQ(order(), u"y1 m1 m2 x1"_s);
}

// The laptop is a returning user's Mac: Zorv's items, created and named as Zorv does, go back to
// their sections' edges; then macOS moves the icon to the left end.
TEST_F(ScenarioRunnerTest, LaptopRemembersZorvsItems) {
    const Scenario laptop = ScenarioLoader::load(u"laptop"_s); // the player keeps a reference
    ScenarioPlayer player(laptop, desktop, workspace, preferences, cloud);
    linkStatusItemSpacing(preferences, desktop.applications());
    player.setUp();
    EXPECT_TRUE(player.apply(scenarioaction::MoveZorvIconToLeftEnd{}))
        << "no icon yet: nothing to move";

    std::vector<std::unique_ptr<StatusItem>> zorv;
    for (const QString &name : {BarItems::zorvAlwaysHiddenSeparatorName,
                                BarItems::zorvHiddenSeparatorName, BarItems::zorvIconName}) {
        zorv.push_back(desktop.statusBar().createStatusItem(
            name == BarItems::zorvIconName ? StatusBar::squareLength : 8.0));
        zorv.back()->setAutosaveName(name);
    }
    clock.settle();
    QStringList movable = order().split(u' ');
    movable.removeAll(u"Clock"_s);
    movable.removeAll(u"ControlCenter"_s);
    EXPECT_EQ(movable.back(), BarItems::zorvIconName);
    EXPECT_EQ(movable[movable.indexOf(BarItems::zorvHiddenSeparatorName) + 1], u"TextInput"_s);
    EXPECT_EQ(movable[movable.indexOf(BarItems::zorvAlwaysHiddenSeparatorName) + 1], u"network"_s);

    EXPECT_FALSE(player.apply(scenarioaction::MoveZorvIconToLeftEnd{}));
    clock.settle();
    EXPECT_TRUE(order().startsWith(BarItems::zorvIconName + u' '));
}

TEST(ClockFaceTest, ShowsWeekdayDateAndTimeInUtc) {
    const QDateTime morning(QDate(2026, 12, 1), QTime(9, 5, 59), QTimeZone::utc());
    EXPECT_EQ(ClockFace::title(morning), u"Tue 1 Dec 9:05"_s);
    EXPECT_EQ(ClockFace::title(morning.toTimeZone(QTimeZone(3600))), u"Tue 1 Dec 9:05"_s);
}

// The clock exists to push the items left of it about: its width must change at every minute,
// across hour and day boundaries too.
TEST(ClockFaceTest, LengthChangesEveryMinuteOfADay) {
    QDateTime time(QDate(2026, 12, 1), QTime(23, 0), QTimeZone::utc());
    double previous = ClockFace::length(ClockFace::title(time));
    for (int minute = 1; minute <= 26 * 60; ++minute) {
        time = time.addSecs(60);
        const double length = ClockFace::length(ClockFace::title(time));
        ASSERT_NE(length, previous) << ClockFace::title(time).toStdString();
        previous = length;
    }
}

} // namespace
} // namespace zorv
