#include "desktoptest.h"
#include "input/itemmenu.h"
#include "input/syntheticdrag.h"

#include <QSignalSpy>

namespace zorv::testing {
namespace {

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// A laptop with a 200-point camera housing (x 656 to 856), the system items and thirty items of
// one application, 40 points apart.
class BarInputTest : public DesktopTest {
protected:
    void SetUp() override {
        display = addLaptop(200.0);
        addSystemItems();
        app = launch(u"com.example.tools"_s);
        for (int index = 0; index < 30; ++index) {
            items.prepend(addItem(app, 24.0, u"item-%1"_s.arg(index)));
        }
        settle();
    }

    QPointF centre(quint64 itemId) { return entry(itemId).frame.center(); }

    double idle(EventType type) {
        return desktop.inputEvents().secondsSinceLastEvent(EventSourceState::CombinedSession, type);
    }

    // A mouse-down and -up posted at `where`, as the engine clicks for the user.
    void postClick(QPointF where, MouseButton button = MouseButton::Left,
                   quint64 flags = EventFlags::none) {
        const bool right = button == MouseButton::Right;
        const auto source =
            desktop.inputEvents().createEventSource(EventSourceState::CombinedSession);
        source->post(MouseEvent{right ? EventType::RightMouseDown : EventType::LeftMouseDown, where,
                                button, flags, 1});
        source->post(MouseEvent{right ? EventType::RightMouseUp : EventType::LeftMouseUp, where,
                                button, flags, 1});
    }

    QList<quint64> movableOrder() {
        QList<quint64> order = barOrder();
        order.removeAll(controlCenter);
        order.removeAll(clockItem);
        return order;
    }

    void postDrag(quint64 itemId, QPointF to, const DragPacing &pacing) {
        postCommandDrag(desktop.inputEvents(), clock, centre(itemId), to, pacing);
        settle();
    }

    DisplayId display = 0;
    qint32 app = 0;
    QList<quint64> items; // left to right
};

TEST_F(BarInputTest, ClicksOpenTheItemWithTheirKind) {
    QSignalSpy delivered(&desktop.model(), &DesktopModel::clickDelivered);
    UserInput &user = desktop.userInput();
    const quint64 target = items.back();
    // Each menu is closed before the next click: one on the item of the open menu closes it.
    user.click(centre(target));
    user.pressKey(KeyCode::escape);
    user.click(centre(target), MouseButton::Right);
    user.pressKey(KeyCode::escape);
    user.click(centre(target), MouseButton::Left, EventFlags::option);
    postClick(centre(clockItem));

    QList<std::tuple<quint64, qint32, ItemClickKind, EventOrigin>> clicks;
    for (const DeliveredClick &click : desktop.readout().clicks()) {
        clicks.append({click.itemId, click.ownerProcessId, click.kind, click.origin});
        // The item's menu opens below it, wherever on the item the click landed.
        const QRectF frame = entry(click.itemId).frame;
        EXPECT_EQ(click.menuAt,
                  QPointF(std::clamp(frame.left(), 0.0, 1512.0 - ItemMenu::width), frame.bottom()));
    }
    const qint32 system = entry(clockItem).processId;
    EXPECT_EQ(delivered.count(), 4);
    EXPECT_EQ(clicks, (QList<std::tuple<quint64, qint32, ItemClickKind, EventOrigin>>{
                          {target, app, ItemClickKind::Left, EventOrigin::User},
                          {target, app, ItemClickKind::Right, EventOrigin::User},
                          {target, app, ItemClickKind::Option, EventOrigin::User},
                          {clockItem, system, ItemClickKind::Left, EventOrigin::Synthetic}}));
}

TEST_F(BarInputTest, ClicksThatHitNothing) {
    UserInput &user = desktop.userInput();
    // An item under the camera housing, and the housing itself.
    const auto underHousing =
        std::ranges::find_if(items, [&](quint64 id) { return entry(id).underHousing; });
    ASSERT_NE(underHousing, items.end());
    user.click(centre(*underHousing));
    user.click(QPointF(756, 10));
    // Pushed off the left edge.
    desktop.items().setLength(items[5], 2000.0);
    settle();
    ASSERT_LT(centre(items[0]).x(), 0.0);
    user.click(centre(items[0]));
    // Under the frontmost application's menus.
    const qint32 editor = launch(u"com.example.editor"_s, 1500.0);
    desktop.applications().activate(editor);
    user.click(centre(items.back()));
    desktop.applications().activate(app);
    // Down on one item, up on another.
    user.mouseDown(centre(items.back()));
    user.mouseUp(centre(items[items.size() - 2]));
    // A hung application's item.
    desktop.applications().setHung(app, true);
    user.click(centre(items.back()));
    // Below the bar.
    desktop.applications().setHung(app, false);
    user.click(QPointF(centre(items.back()).x(), 100));

    EXPECT_TRUE(desktop.readout().clicks().isEmpty());
}

// Clicks on this process's own item reach its button with the mouse button and the modifier
// flags, wherever the item shows: a 3,000-point item reaching onto the screen from the left is
// on screen and hit where it is visible. Other items' clicks and hidden buttons stay silent.
TEST_F(BarInputTest, OwnItemsReceiveClicksWhereverTheyShow) {
    auto own = desktop.statusBar().createStatusItem(3000.0);
    settle();
    const BarEntry shown = entry(barOrder().front());
    ASSERT_LT(shown.frame.center().x(), 0.0);
    ASSERT_GT(shown.frame.right(), 100.0);
    EXPECT_TRUE(shown.onScreen && shown.visible);
    EXPECT_TRUE(own->button()->window()->occlusionVisible);

    QList<StatusItemClick> received;
    QObject::connect(own->button(), &StatusItemButton::clicked,
                     [&](StatusItemClick click) { received.append(click); });
    const QPointF where(shown.frame.right() - 20, shown.frame.center().y());
    // Alternately the user's hands and posted events.
    const QList<StatusItemClick> clicks = {{MouseButton::Left, EventFlags::none},
                                           {MouseButton::Right, EventFlags::none},
                                           {MouseButton::Left, EventFlags::option},
                                           {MouseButton::Right, EventFlags::option}};
    for (qsizetype index = 0; index < clicks.size(); ++index) {
        const auto [button, flags] = clicks[index];
        if (index % 2 == 0) {
            desktop.userInput().click(where, button, flags);
        } else {
            postClick(where, button, flags);
        }
    }
    desktop.userInput().click(centre(items.back()));
    own->button()->setHidden(true);
    desktop.userInput().click(where);
    EXPECT_EQ(received, clicks);
}

// The window server discards what an untrusted process posts: no click, no cursor move, no
// idle-timer reset, only a log entry marked as dropped. The user's hands still work.
TEST_F(BarInputTest, PostsFromAProcessNotTrustedForAccessibilityAreDropped) {
    const QPointF target = centre(items.back());
    desktop.userInput().moveMouse(QPointF(5, 500));
    clock.advance(10s);
    desktop.permissions().setAccessibilityTrusted(false);
    postClick(target);
    desktop.inputEvents()
        .createEventSource(EventSourceState::CombinedSession)
        ->post(KeyEvent{KeyCode::command, true, EventFlags::command});

    EXPECT_TRUE(desktop.readout().clicks().isEmpty());
    EXPECT_EQ(desktop.readout().cursor().location, QPointF(5, 500));
    const InputEvents &input = desktop.inputEvents();
    for (EventType type : {EventType::MouseMoved, EventType::LeftMouseDown, EventType::KeyDown}) {
        EXPECT_GE(input.secondsSinceLastEvent(EventSourceState::HIDSystem, type), 10.0)
            << static_cast<int>(type);
    }
    QList<std::pair<EventType, bool>> logged;
    for (const LoggedEvent &event : desktop.readout().events()) {
        logged.append({event.type, event.dropped});
    }
    const QList<std::pair<EventType, bool>> expected = {{EventType::MouseMoved, false},
                                                        {EventType::LeftMouseDown, true},
                                                        {EventType::LeftMouseUp, true},
                                                        {EventType::KeyDown, true}};
    EXPECT_EQ(logged, expected);

    desktop.userInput().click(target);
    EXPECT_EQ(desktop.readout().clicks().size(), 1);
}

// Items hidden by the frontmost application's menus or by the camera housing keep their frames
// and stay listed, but are not drawn.
TEST_F(BarInputTest, ItemsRunningIntoTheFrontmostMenusAreNotDrawn) {
    // 700 points of menus reach the housing and continue right of it, up to x 900.
    const qint32 editor = launch(u"com.example.editor"_s, 700.0);
    desktop.applications().activate(editor);
    for (const BarEntry &found : desktop.readout().bar()) {
        EXPECT_EQ(found.underMenus, found.frame.left() < 900.0) << found.itemId;
        EXPECT_EQ(found.visible, found.frame.left() >= 900.0) << found.itemId;
        EXPECT_TRUE(found.onScreen) << "still laid out at its positive x";
    }
    EXPECT_TRUE(entry(items.front()).underMenus);

    // An application with fewer menus brings them back without a layout pass.
    const qint32 small = launch(u"com.example.small"_s, 100.0);
    desktop.applications().activate(small);
    EXPECT_TRUE(entry(items.front()).visible);
}

TEST_F(BarInputTest, ItemsUnderTheCameraHousingAreObscured) {
    int obscured = 0;
    for (const BarEntry &found : desktop.readout().bar()) {
        const double centre = found.frame.center().x();
        const bool underneath = centre >= 656.0 && centre <= 856.0;
        EXPECT_EQ(found.underHousing, underneath) << found.itemId;
        EXPECT_EQ(found.visible, !underneath && found.onScreen) << found.itemId;
        obscured += underneath ? 1 : 0;
    }
    EXPECT_GT(obscured, 0);
    const auto screen = desktop.screens().screens().front();
    EXPECT_EQ(screen.auxiliaryTopLeftArea, QRectF(0, 982 - 37, 656, 37));
    EXPECT_EQ(screen.auxiliaryTopRightArea, QRectF(856, 982 - 37, 656, 37));
    EXPECT_EQ(entry(clockItem).frame.height(), 37) << "the bar is as tall as the housing";
}

TEST_F(BarInputTest, WarpMovesTheCursorWithoutAnEvent) {
    InputEvents &input = desktop.inputEvents();
    input.warpCursor(QPointF(300, 200));
    EXPECT_EQ(input.cursorLocation(), QPointF(300, 200));
    EXPECT_EQ(desktop.readout().cursor().warps, 1);
    EXPECT_TRUE(desktop.readout().events().isEmpty());
    EXPECT_GE(idle(EventType::MouseMoved), 3600.0);

    desktop.readout().setCursorReadable(false);
    EXPECT_FALSE(input.cursorLocation());
}

TEST_F(BarInputTest, CursorHidesAndShowsAreCountedPerDisplay) {
    InputEvents &input = desktop.inputEvents();
    EXPECT_EQ(input.mainDisplayId(), display);
    input.hideCursor(display);
    input.hideCursor(display);
    input.hideCursor(77);
    input.showCursor(display);
    EXPECT_EQ(desktop.readout().cursor().hideCounts,
              (QHash<DisplayId, int>{{display, 1}, {77, 1}}));
    input.showCursor(display);
    input.showCursor(77);
    input.showCursor(77);
    const CursorState cursor = desktop.readout().cursor();
    EXPECT_TRUE(cursor.hideCounts.isEmpty()) << "an extra show does not go below zero";
    EXPECT_EQ(cursor.hideCalls, 3);
    EXPECT_EQ(cursor.showCalls, 4);
}

TEST_F(BarInputTest, DetachedCursorIgnoresTheUsersMouse) {
    InputEvents &input = desktop.inputEvents();
    input.warpCursor(QPointF(100, 100));
    input.associateMouseAndCursor(false);
    desktop.userInput().moveMouse(QPointF(600, 600));
    EXPECT_EQ(input.cursorLocation(), QPointF(100, 100));
    EXPECT_FALSE(desktop.readout().cursor().mouseAssociated);
    EXPECT_EQ(idle(EventType::MouseMoved), 0.0) << "the user's input still counts";

    input.createEventSource(EventSourceState::CombinedSession)
        ->post(MouseEvent{EventType::MouseMoved, QPointF(200, 5)});
    EXPECT_EQ(input.cursorLocation(), QPointF(200, 5)) << "posted events still move it";

    input.associateMouseAndCursor(true);
    desktop.userInput().moveMouse(QPointF(600, 600));
    EXPECT_EQ(input.cursorLocation(), QPointF(600, 600));
}

TEST_F(BarInputTest, UserAndPostedInputResetTheIdleTimers) {
    EXPECT_GE(idle(EventType::KeyDown), 3600.0);
    desktop.userInput().moveMouse(QPointF(10, 10));
    clock.advance(2s);
    desktop.userInput().scroll(-3.0);
    const auto source = desktop.inputEvents().createEventSource(EventSourceState::CombinedSession);
    source->post(KeyEvent{KeyCode::command, true, EventFlags::command});
    clock.advance(500ms);
    source->post(KeyEvent{KeyCode::command, false, EventFlags::none});

    EXPECT_DOUBLE_EQ(idle(EventType::MouseMoved), 2.5);
    EXPECT_DOUBLE_EQ(idle(EventType::ScrollWheel), 0.5);
    EXPECT_DOUBLE_EQ(idle(EventType::KeyDown), 0.5) << "posted events count like the user's";
    EXPECT_DOUBLE_EQ(idle(EventType::KeyUp), 0.0);
    EXPECT_GE(idle(EventType::LeftMouseDown), 3600.0);
    EXPECT_EQ(
        desktop.inputEvents().secondsSinceLastEvent(EventSourceState::HIDSystem, EventType::KeyUp),
        0.0);

    const QList<LoggedEvent> events = desktop.readout().events();
    ASSERT_EQ(events.size(), 4);
    QList<std::tuple<EventType, EventOrigin, std::chrono::nanoseconds>> logged;
    for (const LoggedEvent &event : events) {
        logged.append({event.type, event.origin, event.at - events.front().at});
    }
    EXPECT_EQ(logged, (QList<std::tuple<EventType, EventOrigin, std::chrono::nanoseconds>>{
                          {EventType::MouseMoved, EventOrigin::User, 0s},
                          {EventType::ScrollWheel, EventOrigin::User, 2s},
                          {EventType::KeyDown, EventOrigin::Synthetic, 2s},
                          {EventType::KeyUp, EventOrigin::Synthetic, 2500ms}}));
    EXPECT_EQ(events[2].keyCode, KeyCode::command);
}

// However long the desktop runs, the input log and the key deliveries hold only the newest
// entries, oldest first: each press below (its key code numbering it) logs a down and an up and
// delivers both to the frontmost application.
TEST_F(BarInputTest, InputLogsKeepOnlyTheNewestEntries) {
    const auto capacity = qsizetype(DesktopState::logCapacity);
    const qsizetype presses = capacity + 3;
    for (qsizetype press = 0; press < presses; ++press) {
        desktop.userInput().pressKey(quint16(press));
    }
    const qsizetype firstKept = presses - capacity / 2;

    const QList<LoggedEvent> events = desktop.readout().events();
    ASSERT_EQ(events.size(), capacity);
    EXPECT_EQ(events.first().keyCode, firstKept);
    EXPECT_EQ(events.first().type, EventType::KeyDown);
    EXPECT_EQ(events.last().keyCode, presses - 1);
    EXPECT_EQ(events.last().type, EventType::KeyUp);

    const QList<KeyDelivery> deliveries = desktop.hotKeys().keyDeliveries();
    ASSERT_EQ(deliveries.size(), capacity);
    EXPECT_EQ(deliveries.first().keyCode, firstKept);
    EXPECT_EQ(deliveries.last().keyCode, presses - 1);
}

TEST_F(BarInputTest, DropIndexCountsTheOtherItemsWhoseCentreLiesLeftOfTheDrop) {
    // Between the centres of items 2 and 3: items 1 and 2 lie left of the drop.
    const double dropX = (centre(items[2]).x() + centre(items[3]).x()) / 2;
    ASSERT_TRUE(desktop.userInput().commandDragItem(items[0], dropX));
    settle();
    EXPECT_EQ(movableOrder(), QList<quint64>({items[1], items[2], items[0]}) + items.mid(3));
    EXPECT_EQ(entry(items[0]).frame.left(), entry(items[3]).frame.left() - 40)
        << "the bar re-packs";
}

TEST_F(BarInputTest, CommandDragGesturesThatMoveNothing) {
    const QList<quint64> before = movableOrder();
    const QPointF from = centre(items[0]);
    const QPointF to(centre(items[3]).x() + 5, from.y());
    UserInput &user = desktop.userInput();

    // Without the Command flag.
    user.mouseDown(from);
    user.mouseDragged(to);
    user.mouseUp(to);
    // Dropped below the bar strip.
    user.mouseDown(from, MouseButton::Left, EventFlags::command);
    user.mouseDragged(QPointF(to.x(), 300), EventFlags::command);
    user.mouseUp(QPointF(to.x(), 300), MouseButton::Left, EventFlags::command);
    // A system item.
    ASSERT_TRUE(user.commandDragItem(clockItem, from.x()));
    ASSERT_TRUE(user.commandDragItem(controlCenter, from.x()));
    // Mouse-down and up without a dragged event in between.
    user.mouseDown(from, MouseButton::Left, EventFlags::command);
    user.mouseUp(to, MouseButton::Left, EventFlags::command);
    settle();
    EXPECT_EQ(movableOrder(), before);
    EXPECT_EQ(barOrder().mid(items.size()), (QList<quint64>{controlCenter, clockItem}));
}

TEST_F(BarInputTest, DropRightOfTheSystemItemsLandsInTheRightmostMovableSlot) {
    ASSERT_TRUE(desktop.userInput().commandDragItem(items[0], 1505));
    settle();
    EXPECT_EQ(barOrder(), items.mid(1) + QList<quint64>({items[0], controlCenter, clockItem}));
}

// A posted Command-drag of items[0] past items[3] moves it only when the gesture suits the item:
// paced as the item's application accepts, from an application that answers.
TEST_F(BarInputTest, PostedCommandDragMovesOnlyWhenTheGestureSuitsTheItem) {
    const struct {
        const char *name;
        DragAcceptance acceptance;
        bool hung;
        DragPacing pacing;
        bool moves;
    } cases[] = {
        {"Standard", DragAcceptance::Always, false, DragPacing::standard(), true},
        {"Slow", DragAcceptance::Always, false, DragPacing::slow(), true},
        {"BackToBack", DragAcceptance::Always, false, DragPacing::hurried(), false},
        {"StandardOnSlowOnlyItem", DragAcceptance::SlowGestureOnly, false, DragPacing::standard(),
         false},
        {"SlowOnSlowOnlyItem", DragAcceptance::SlowGestureOnly, false, DragPacing::slow(), true},
        {"NeverMovingItem", DragAcceptance::Never, false, DragPacing::slow(), false},
        {"HungApplication", DragAcceptance::Always, true, DragPacing::slow(), false},
    };
    const QList<quint64> original = items;
    const QList<quint64> moved =
        QList<quint64>({items[1], items[2], items[3], items[0]}) + items.mid(4);
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        desktop.applications().setDragAcceptance(app, test.acceptance);
        desktop.applications().setHung(app, test.hung);
        postDrag(original[0], QPointF(centre(original[3]).x() + 5, centre(original[3]).y()),
                 test.pacing);
        EXPECT_EQ(movableOrder(), test.moves ? moved : original);
        // Back to where it started, for the next case.
        desktop.applications().setHung(app, false);
        desktop.items().moveToIndex(original[0], 0);
        settle();
        ASSERT_EQ(movableOrder(), original);
    }
}

TEST_F(BarInputTest, ZorvsOwnItemsMoveAndRememberTheirPosition) {
    auto icon = desktop.statusBar().createStatusItem(StatusBar::squareLength);
    icon->setAutosaveName(BarItems::zorvIconName);
    settle();
    const quint64 iconId = barOrder().front();
    postDrag(iconId, QPointF(centre(items.back()).x() + 5, centre(items.back()).y()),
             DragPacing::standard());
    EXPECT_EQ(movableOrder().back(), iconId);
    EXPECT_EQ(desktop.items().rememberedPosition(zorvBundle, BarItems::zorvIconName), 0.0);
}

} // namespace
} // namespace zorv::testing
