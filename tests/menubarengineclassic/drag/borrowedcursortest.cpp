#include "drag/borrowedcursor.h"
#include "coroutinetest.h"
#include "desktoptest.h"
#include "diagnostics/diagnostics.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThreadPool>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace zorv::testing {
namespace {

class BorrowedCursorTest : public DesktopTest {
protected:
    BorrowedCursorTest() {
        main = addLaptop();
        settle();
        desktop.userInput().moveMouse(userSpot);
    }
    // Lets the cancelled deadline finish its sleep, so no coroutine is left behind on the clock.
    ~BorrowedCursorTest() override {
        cursor.endAnyCursorSession();
        settle();
    }

    // The records of "events.jsonl", without their time stamps.
    QList<QJsonObject> records() const {
        QFile file(folder.filePath(u"events.jsonl"_s));
        QList<QJsonObject> result;
        if (file.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : file.readAll().split('\n')) {
                if (!line.isEmpty()) {
                    QJsonObject record = QJsonDocument::fromJson(line).object();
                    record.remove(u"at"_s);
                    result.append(record);
                }
            }
        }
        return result;
    }

    [[nodiscard]] CursorState cursorState() { return desktop.readout().cursor(); }

    // How often the cursor is hidden on the main display, and whether the mouse moves it.
    [[nodiscard]] std::pair<int, bool> lentState() {
        return {cursorState().hideCounts.value(main), cursorState().mouseAssociated};
    }

    const QPointF userSpot{200, 300};
    DisplayId main = 0;
    QTemporaryDir folder;
    Diagnostics diagnostics{folder.path(), clock};
    QThreadPool pool;
    BorrowedCursor cursor{desktop.inputEvents(), clock,
                          WorkRunner(WorkRunner::Mode::ThreadPool, &pool), diagnostics};
};

TEST_F(BorrowedCursorTest, LendsTheCursorAndGivesItBackWhereItWas) {
    const auto owner = cursor.newOwner();
    cursor.beginCursorSessionIfNeeded(owner);
    cursor.beginCursorSessionIfNeeded(owner);
    EXPECT_EQ(lentState(), std::pair(1, false));
    desktop.inputEvents().warpCursor({900, 10});
    clock.advance(1500ms);
    const qsizetype eventsBefore = desktop.readout().events().size();
    cursor.endCursorSession(owner);

    EXPECT_EQ(cursorState().location, userSpot);
    EXPECT_EQ(lentState(), std::pair(0, true));
    // Whatever a drag left pressed is released where the cursor stood.
    const QList<LoggedEvent> released = desktop.readout().events().mid(eventsBefore);
    ASSERT_EQ(released.size(), 2);
    EXPECT_EQ(std::tuple(released[0].type, released[0].location, released[0].flags,
                         released[0].clickState),
              std::tuple(EventType::LeftMouseUp, QPointF(900, 10), EventFlags::none, 1));
    EXPECT_EQ(std::tuple(released[1].type, released[1].keyCode, released[1].flags),
              std::tuple(EventType::KeyUp, KeyCode::command, EventFlags::none));

    cursor.beginCursorSessionIfNeeded(owner);
    clock.advance(250ms);
    cursor.endCursorSession(owner);
    EXPECT_EQ(cursor.cursorBorrowedMicros(), 1750000);
    const qsizetype eventsAfter = desktop.readout().events().size();
    cursor.endCursorSession(owner);
    EXPECT_EQ(desktop.readout().events().size(), eventsAfter) << "no session, nothing posted";

    const QJsonObject borrowed{{u"kind"_s, u"cursor-borrowed"_s}, {u"display"_s, qint64(main)}};
    EXPECT_EQ(records(),
              (QList<QJsonObject>{borrowed,
                                  {{u"kind"_s, u"cursor-returned"_s}, {u"heldMs"_s, 1500}},
                                  borrowed,
                                  {{u"kind"_s, u"cursor-returned"_s}, {u"heldMs"_s, 250}}}));
}

// A run that ends late must not hand back the cursor in the middle of the next run's drag.
TEST_F(BorrowedCursorTest, EndsOnlyItsOwnersSession) {
    const auto first = cursor.newOwner();
    const auto second = cursor.newOwner();
    cursor.beginCursorSessionIfNeeded(first);
    cursor.endCursorSession(second);
    ASSERT_TRUE(cursor.session());
    EXPECT_EQ(cursor.session()->owner, first);
    EXPECT_TRUE(cursor.deadlinePending());

    cursor.beginCursorSessionIfNeeded(second);
    cursor.endCursorSession(first);
    ASSERT_TRUE(cursor.session());
    EXPECT_EQ(cursorState().hideCounts.value(main), 1) << "the session passed on, not reopened";
    cursor.endCursorSession(second);
    EXPECT_FALSE(cursor.session());

    cursor.beginCursorSessionIfNeeded(first);
    cursor.endAnyCursorSession();
    EXPECT_FALSE(cursor.session());
    EXPECT_FALSE(cursor.deadlinePending());
}

TEST_F(BorrowedCursorTest, GivesTheCursorBackEightSecondsAfterTheLatestDrag) {
    cursor.beginCursorSessionIfNeeded(cursor.newOwner());
    clock.advance(5s);
    cursor.beginCursorSessionIfNeeded(cursor.newOwner());
    clock.advance(7900ms);
    EXPECT_TRUE(cursor.session());
    clock.advance(100ms);
    EXPECT_FALSE(cursor.session());
    EXPECT_EQ(cursorState().location, userSpot);
    EXPECT_EQ(records().mid(1),
              (QList<QJsonObject>{
                  {{u"kind"_s, u"cursor-returned-by-deadline"_s}, {u"afterSeconds"_s, 8.0}},
                  {{u"kind"_s, u"cursor-returned"_s}, {u"heldMs"_s, 13000}}}));
}

TEST_F(BorrowedCursorTest, ShowsTheCursorWhereverTheMainDisplayWent) {
    ScreenDescription external;
    external.origin = QPointF(1512, 0);
    const DisplayId other = desktop.arrangement().add(external);
    desktop.readout().setCursorReadable(false);
    cursor.beginCursorSessionIfNeeded(cursor.newOwner());
    desktop.arrangement().remove(main);
    settle();
    ASSERT_EQ(desktop.inputEvents().mainDisplayId(), other);
    const int warps = cursorState().warps;
    cursor.endAnyCursorSession();

    EXPECT_EQ(cursorState().showCalls, 2);
    EXPECT_EQ(cursorState().hideCounts.value(other), 0);
    EXPECT_EQ(cursorState().warps, warps) << "no position was saved";
    EXPECT_EQ(desktop.readout().events().last().type, EventType::KeyUp);
    EXPECT_EQ(desktop.readout().events().at(desktop.readout().events().size() - 2).location,
              QPointF(0, 0));
}

// The slow gesture's own Command key-down is no key press of the user's, even on the second
// drag of a session, long after the session began.
TEST_F(BorrowedCursorTest, DragsOnAWorkerAndTellsTheUsersKeysFromItsOwn) {
    const auto owner = cursor.newOwner();
    const QPointF from(1200, 12);
    EXPECT_EQ(
        runTask(cursor.performDrag(owner, from, {800, 12}, MoveCoordinator::Gesture::commandKey)),
        std::optional(Duration(530ms)));
    EXPECT_EQ(
        runTask(cursor.performDrag(owner, from, {800, 12}, MoveCoordinator::Gesture::commandKey)),
        std::optional(Duration(530ms)));
    ASSERT_TRUE(cursor.session());
    EXPECT_EQ(desktop.readout().events().last().type, EventType::KeyUp);
    EXPECT_FALSE(cursor.keyPressedDuringSession());

    desktop.userInput().pressKey(12);
    clock.advance(100ms);
    EXPECT_TRUE(cursor.keyPressedDuringSession());
    cursor.endCursorSession(owner);
    EXPECT_FALSE(cursor.keyPressedDuringSession()) << "only asked while a session is open";
}

// The idle timers keep only the latest event of a type: the engine's Command key-down and key-up
// of a next drag come after a key the user pressed, yet the user's key is still seen, at its own
// time.
TEST_F(BorrowedCursorTest, SeesTheUsersKeyThatItsOwnKeysCameAfter) {
    const auto owner = cursor.newOwner();
    const QPointF from(1200, 12);
    const auto gesture = MoveCoordinator::Gesture::commandKey;
    ASSERT_TRUE(runTask(cursor.performDrag(owner, from, {800, 12}, gesture)));
    const MonotonicTime beforeKey = clock.now();
    desktop.userInput().pressKey(12);
    clock.advance(1ms);
    const MonotonicTime afterKey = clock.now();
    ASSERT_TRUE(runTask(cursor.performDrag(owner, from, {800, 12}, gesture)));
    ASSERT_EQ(desktop.readout().events().last().type, EventType::KeyUp);

    EXPECT_TRUE(cursor.keyPressedDuringSession());
    EXPECT_TRUE(cursor.userInputSince(beforeKey));
    EXPECT_FALSE(cursor.userInputSince(afterKey)) << "the engine's own keys are not the user's";
}

// The user's hands in one way, at `at` (top-left convention).
using Hands = void (*)(UserInput &hands, QPointF at);

struct GapCase {
    const char *name;
    bool slowGesture;
    // None: nothing but the engine's own events since it found the user idle.
    Hands hands;
    bool drags;

    friend void PrintTo(const GapCase &c, std::ostream *out) { *out << c.name; }
};

QCoro::Task<> handsAfter(Clock &clock, Duration delay, UserInput &input, Hands hands, QPointF at) {
    (void)co_await clock.sleep(delay);
    hands(input, at);
}

class PostingGapTest : public BorrowedCursorTest, public ::testing::WithParamInterface<GapCase> {};

// The engine found the user idle, then made a drag of its own. Its next drag begins only when
// nothing but its own events came since: input that lands after the drag's warp, a moment before
// its first event, holds the whole drag back, though the engine's own earlier mouse-down, drags,
// mouse-up and keys stand in the idle timers.
TEST_P(PostingGapTest, holdsTheDragBackForTheUsersInputRightBeforeIt) {
    const GapCase &c = GetParam();
    const MoveCoordinator::Gesture gesture =
        c.slowGesture ? MoveCoordinator::Gesture::commandKey : MoveCoordinator::Gesture::standard;
    const auto owner = cursor.newOwner();
    const QPointF from(1200, 12);
    const QPointF to(800, 12);
    // Input before the engine looked does not count.
    desktop.userInput().click(userSpot);
    desktop.userInput().pressKey(12);
    clock.advance(10ms);
    const MonotonicTime quietAt = clock.now();
    ASSERT_TRUE(runTask(cursor.performDrag(owner, from, to, gesture, quietAt)));
    const qsizetype eventsBefore = desktop.readout().events().size();

    std::optional<QCoro::Task<>> hands;
    if (c.hands) {
        // After the warp settles for 10 ms (90 ms for the slow gesture), 5 ms before the first
        // event.
        const Duration delay =
            std::chrono::microseconds(gesture.warpSettle) +
            (c.slowGesture ? Duration(0) : std::chrono::microseconds(gesture.keySettle)) - 5ms;
        hands = handsAfter(clock, delay, desktop.userInput(), c.hands, userSpot);
    }
    const std::optional<Duration> posted =
        runTask(cursor.performDrag(owner, from, to, gesture, quietAt));
    if (hands) {
        runTask(std::move(*hands));
    }
    EXPECT_EQ(posted.has_value(), c.drags);
    qsizetype enginesEvents = 0;
    for (const LoggedEvent &event : desktop.readout().events().mid(eventsBefore)) {
        enginesEvents += event.origin != EventOrigin::User;
    }
    EXPECT_EQ(enginesEvents > 0, c.drags);
}

INSTANTIATE_TEST_SUITE_P(
    Hands, PostingGapTest,
    ::testing::Values(
        GapCase{"OnlyItsOwnEvents", false, nullptr, true},
        GapCase{"OnlyItsOwnEventsSlow", true, nullptr, true},
        GapCase{"Click", false, [](UserInput &h, QPointF at) { h.click(at); }, false},
        GapCase{"ClickSlow", true, [](UserInput &h, QPointF at) { h.click(at); }, false},
        GapCase{"Release", false, [](UserInput &h, QPointF at) { h.mouseUp(at); }, false},
        GapCase{"RightClick", false,
                [](UserInput &h, QPointF at) { h.click(at, MouseButton::Right); }, false},
        GapCase{"MouseDrag", false, [](UserInput &h, QPointF at) { h.mouseDragged(at); }, false},
        GapCase{"Move", false, [](UserInput &h, QPointF at) { h.moveMouse(at); }, false},
        GapCase{"Key", false, [](UserInput &h, QPointF) { h.pressKey(12); }, false},
        GapCase{"KeySlow", true, [](UserInput &h, QPointF) { h.pressKey(12); }, false},
        GapCase{"Scroll", false, [](UserInput &h, QPointF) { h.scroll(-1.0); }, false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv::testing
