#include "drag/movecoordinator.h"
#include "desktoptest.h"
#include "drag/owneventlog.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace zorv::testing {
namespace {

using Gesture = MoveCoordinator::Gesture;

struct Leg {
    double from;
    double to;
    int events;
};

struct DragCase {
    const char *name;
    Gesture gesture;
    double deltaX;
    // Relative to the start point.
    QList<Leg> legs;
    std::chrono::milliseconds downAt;
    std::chrono::milliseconds upAt;
    std::chrono::milliseconds total;
};

// A short standard drag: first to the detour, 80 points the other way, then to the goal.
DragCase shortStandard(const char *name, double deltaX, double detour) {
    return {name, Gesture::standard, deltaX, {{0, detour, 5}, {detour, deltaX, 5}}, 25ms, 130ms,
            138ms};
}

class CommandDrag : public DesktopTest, public ::testing::WithParamInterface<DragCase> {
protected:
    CommandDrag() {
        addLaptop();
        const qint32 tools = launch(u"com.example.tools"_s);
        for (const QString &name : {u"a"_s, u"b"_s, u"c"_s}) {
            items.append(addItem(tools, 24.0, name));
        }
        AppDescription fussy;
        fussy.bundleIdentifier = u"com.example.fussy"_s;
        fussy.dragAcceptance = DragAcceptance::SlowGestureOnly;
        items.append(addItem(desktop.applications().launch(fussy), 24.0, u"fussy"_s));
        settle();
    }

    // Posts the drag on this thread (the manual clock only moves virtual time) and lets the bar
    // lay itself out again.
    void drag(quint64 item, double deltaX, const Gesture &gesture) {
        const QPointF from = entry(item).frame.center();
        (void)MoveCoordinator::commandDrag(desktop.inputEvents(), clock, keys, from,
                                           from + QPointF(deltaX, 0), gesture);
        settle();
    }

    QList<quint64> items;
    OwnEventLog keys;
};

// What the window server logged of one event: type, place relative to the start, flags, time.
using Logged = std::tuple<EventType, QPointF, quint64, Duration>;

TEST_P(CommandDrag, PostsThePacedEventSequence) {
    const DragCase &dragCase = GetParam();
    const Gesture &g = dragCase.gesture;
    const QPointF from = entry(items.first()).frame.center();
    const MonotonicTime start = clock.now();
    drag(items.first(), dragCase.deltaX, g);
    EXPECT_EQ(clock.now() - start, dragCase.total);
    EXPECT_EQ(desktop.readout().cursor().warps, 1);

    QList<Logged> expected;
    const quint64 command = EventFlags::command;
    if (g.commandViaKeyboard) {
        expected.append({EventType::KeyDown, {}, command, std::chrono::microseconds(g.warpSettle)});
    }
    expected.append({EventType::LeftMouseDown, {}, command, dragCase.downAt});
    Duration at = dragCase.downAt + std::chrono::microseconds(g.holdBeforeMove);
    for (const Leg &leg : dragCase.legs) {
        for (int i = 1; i <= leg.events; ++i, at += std::chrono::microseconds(g.stepDelay)) {
            const double x = leg.from + (leg.to - leg.from) * i / leg.events;
            expected.append({EventType::LeftMouseDragged, {x, 0}, command, at});
        }
        at += std::chrono::microseconds(g.dwell);
    }
    expected.append({EventType::LeftMouseUp, {dragCase.deltaX, 0}, command, dragCase.upAt});
    if (g.commandViaKeyboard) {
        expected.append({EventType::KeyUp, {}, EventFlags::none, dragCase.total});
    }
    QList<Logged> logged;
    for (const LoggedEvent &event : desktop.readout().events()) {
        EXPECT_EQ(event.origin, EventOrigin::Synthetic);
        const bool key = event.type == EventType::KeyDown || event.type == EventType::KeyUp;
        EXPECT_EQ(event.keyCode, key ? KeyCode::command : 0);
        EXPECT_EQ(event.clickState, key ? 0 : 1);
        logged.append(
            {event.type, key ? QPointF() : event.location - from, event.flags, event.at - start});
    }
    EXPECT_EQ(logged, expected);
}

INSTANTIATE_TEST_SUITE_P(
    MoveCoordinator, CommandDrag,
    ::testing::Values(
        // 15 warp + 10 key + 30 hold + 10 x 3 steps + 15 dwell + 15 before + 8 after the up.
        DragCase{"Standard400", Gesture::standard, -400, {{0, -400, 10}}, 25ms, 115ms, 123ms},
        DragCase{"Standard80", Gesture::standard, -80, {{0, -80, 5}}, 25ms, 100ms, 108ms},
        // Short drags first go 80 points the other way; never fewer than 5 events a leg.
        shortStandard("StandardInPlace", 0, -80), shortStandard("Standard79_9", 79.9, -80),
        shortStandard("StandardLeft50", -50, 80),
        DragCase{"CommandKey400", Gesture::commandKey, -400, {{0, -400, 20}}, 80ms, 505ms, 530ms},
        DragCase{"CommandKeyInPlace",
                 Gesture::commandKey,
                 0,
                 {{0, -80, 5}, {-80, 0, 5}},
                 80ms,
                 515ms,
                 540ms}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(CommandDrag, MovesTheItemOnlyWithAGestureItsApplicationTakes) {
    const quint64 c = items[2];
    const quint64 fussy = items[3];
    const double leftOfAll = entry(barOrder().first()).frame.left() - 30;
    QList<quint64> expected = barOrder();
    expected.move(expected.indexOf(c), 0);
    drag(c, leftOfAll - entry(c).frame.center().x(), Gesture::standard);
    EXPECT_EQ(barOrder(), expected);

    drag(fussy, leftOfAll - entry(fussy).frame.center().x(), Gesture::standard);
    EXPECT_NE(barOrder().first(), fussy);
    drag(fussy, leftOfAll - entry(fussy).frame.center().x(), Gesture::commandKey);
    EXPECT_EQ(barOrder().first(), fussy);
}

TEST(MoveCoordinator, CountsStepsOnlyWhereTheyAreDefined) {
    const QList<std::tuple<double, double, std::optional<qint64>>> cases{
        {400, 40, 10},
        {-400, 40, 10},
        {80, 40, 5},
        {400, -40, 5},
        {400, 0, std::nullopt},
        {0, 0, std::nullopt},
        {400, qQNaN(), std::nullopt},
        {400, 1e-300, std::nullopt},
        {400, 0.005, 80000},
        {400, 0.0039, std::nullopt}};
    for (const auto &[length, stepPx, steps] : cases) {
        EXPECT_EQ(MoveCoordinator::stepsPerLeg(length, stepPx), steps)
            << length << " points in steps of " << stepPx;
    }
}

} // namespace
} // namespace zorv::testing
