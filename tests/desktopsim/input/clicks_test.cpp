#include "desktoptest.h"

#include <QSignalSpy>

namespace zorv::testing {
namespace {

class ClickTest : public DesktopTest {
protected:
    void SetUp() override {
        addLaptop(200.0);
        addSystemItems();
        app = launch(QStringLiteral("com.example.tools"));
        for (int index = 0; index < 30; ++index) {
            items.prepend(addItem(app, 24.0, QStringLiteral("item-%1").arg(index)));
        }
        settle();
    }

    QPointF centre(quint64 itemId) { return entry(itemId).frame.center(); }

    qint32 app = 0;
    QList<quint64> items; // left to right
};

TEST_F(ClickTest, ClicksOpenTheItemWithTheirKind) {
    QSignalSpy delivered(&desktop.model(), &DesktopModel::clickDelivered);
    UserInput &user = desktop.userInput();
    const quint64 target = items.back();
    user.click(centre(target));
    user.click(centre(target), MouseButton::Right);
    user.click(centre(target), MouseButton::Left, EventFlags::option);
    // Posted, as the engine clicks an item for the user.
    const auto source = desktop.inputEvents().createEventSource(EventSourceState::CombinedSession);
    source->post(MouseEvent{EventType::LeftMouseDown, centre(clockItem), MouseButton::Left,
                            EventFlags::none, 1});
    source->post(MouseEvent{EventType::LeftMouseUp, centre(clockItem), MouseButton::Left,
                            EventFlags::none, 1});

    QList<std::tuple<quint64, ItemClickKind, EventOrigin>> clicks;
    for (const DeliveredClick &click : desktop.readout().clicks()) {
        clicks.append({click.itemId, click.kind, click.origin});
    }
    EXPECT_EQ(delivered.count(), 4);
    EXPECT_EQ(clicks, (QList<std::tuple<quint64, ItemClickKind, EventOrigin>>{
                          {target, ItemClickKind::Left, EventOrigin::User},
                          {target, ItemClickKind::Right, EventOrigin::User},
                          {target, ItemClickKind::Option, EventOrigin::User},
                          {clockItem, ItemClickKind::Left, EventOrigin::Synthetic}}));
}

TEST_F(ClickTest, ClicksThatHitNothing) {
    UserInput &user = desktop.userInput();
    // An item under the camera housing (x 656 to 856).
    quint64 underHousing = 0;
    for (quint64 id : items) {
        if (entry(id).underHousing) {
            underHousing = id;
        }
    }
    ASSERT_NE(underHousing, 0u);
    user.click(centre(underHousing));
    // The housing itself.
    user.click(QPointF(756, 10));
    // Pushed off the left edge.
    desktop.items().setLength(items[5], 2000.0);
    settle();
    ASSERT_LT(centre(items[0]).x(), 0.0);
    user.click(centre(items[0]));
    // Under the frontmost application's menus.
    const qint32 editor = launch(QStringLiteral("com.example.editor"), 1500.0);
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
TEST_F(ClickTest, OwnItemsReceiveClicksWhereverTheyShow) {
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
    const auto source = desktop.inputEvents().createEventSource(EventSourceState::CombinedSession);
    for (qsizetype index = 0; index < clicks.size(); ++index) {
        const auto [button, flags] = clicks[index];
        const bool right = button == MouseButton::Right;
        if (index % 2 == 0) {
            desktop.userInput().click(where, button, flags);
            continue;
        }
        source->post(MouseEvent{right ? EventType::RightMouseDown : EventType::LeftMouseDown, where,
                                button, flags, 1});
        source->post(MouseEvent{right ? EventType::RightMouseUp : EventType::LeftMouseUp, where,
                                button, flags, 1});
    }
    desktop.userInput().click(centre(items.back()));
    own->button()->setHidden(true);
    desktop.userInput().click(where);
    EXPECT_EQ(received, clicks);
}

// The window server discards what an untrusted process posts: no click, no cursor move, no
// idle-timer reset, only a log entry marked as dropped. The user's hands still work.
TEST_F(ClickTest, PostsFromAProcessNotTrustedForAccessibilityAreDropped) {
    const QPointF target = centre(items.back());
    desktop.userInput().moveMouse(QPointF(5, 500));
    clock.advance(std::chrono::seconds(10));
    desktop.permissions().setAccessibilityTrusted(false);
    const auto source = desktop.inputEvents().createEventSource(EventSourceState::CombinedSession);
    source->post(MouseEvent{EventType::LeftMouseDown, target, MouseButton::Left, 0, 1});
    source->post(MouseEvent{EventType::LeftMouseUp, target, MouseButton::Left, 0, 1});
    source->post(KeyEvent{KeyCode::command, true, EventFlags::command});

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

} // namespace
} // namespace zorv::testing
