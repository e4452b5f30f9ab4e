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

    const QList<DeliveredClick> clicks = desktop.readout().clicks();
    ASSERT_EQ(clicks.size(), 4);
    EXPECT_EQ(delivered.count(), 4);
    const QList<std::tuple<quint64, ItemClickKind, EventOrigin>> expected = {
        {target, ItemClickKind::Left, EventOrigin::User},
        {target, ItemClickKind::Right, EventOrigin::User},
        {target, ItemClickKind::Option, EventOrigin::User},
        {clockItem, ItemClickKind::Left, EventOrigin::Synthetic}};
    for (qsizetype index = 0; index < clicks.size(); ++index) {
        const auto &[itemId, kind, origin] = expected[index];
        EXPECT_EQ(clicks[index].itemId, itemId) << index;
        EXPECT_EQ(clicks[index].kind, kind) << index;
        EXPECT_EQ(clicks[index].origin, origin) << index;
    }
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

} // namespace
} // namespace zorv::testing
