#include "desktoptest.h"
#include "input/syntheticdrag.h"

namespace zorv::testing {
namespace {

// Four items of one application, left to right, 40 points apart, and the system items.
class CommandDragTest : public DesktopTest {
protected:
    void SetUp() override {
        addLaptop();
        addSystemItems();
        app = launch(QStringLiteral("com.example.tools"));
        for (int index = 0; index < 4; ++index) {
            items.prepend(addItem(app, 24.0, QStringLiteral("item-%1").arg(index)));
        }
        settle();
    }

    QPointF centre(quint64 itemId) { return entry(itemId).frame.center(); }

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

    qint32 app = 0;
    QList<quint64> items; // left to right
};

TEST_F(CommandDragTest, DropIndexCountsTheOtherItemsWhoseCentreLiesLeftOfTheDrop) {
    // Between the centres of items 2 and 3: items 1 and 2 lie left of the drop.
    const double dropX = (centre(items[2]).x() + centre(items[3]).x()) / 2;
    ASSERT_TRUE(desktop.userInput().commandDragItem(items[0], dropX));
    settle();
    EXPECT_EQ(movableOrder(), (QList<quint64>{items[1], items[2], items[0], items[3]}));
    EXPECT_EQ(entry(items[0]).frame.left(), entry(items[3]).frame.left() - 40)
        << "the bar re-packs";
}

TEST_F(CommandDragTest, UserGesturesThatMoveNothing) {
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
    EXPECT_EQ(barOrder().mid(4), (QList<quint64>{controlCenter, clockItem}));
}

TEST_F(CommandDragTest, DropRightOfTheSystemItemsLandsInTheRightmostMovableSlot) {
    ASSERT_TRUE(desktop.userInput().commandDragItem(items[0], 1505));
    settle();
    EXPECT_EQ(barOrder(),
              (QList<quint64>{items[1], items[2], items[3], items[0], controlCenter, clockItem}));
}

struct PostedDragCase {
    const char *name;
    DragAcceptance acceptance;
    bool hung;
    DragPacing pacing;
    bool moves;
};

class PostedCommandDragTest : public CommandDragTest,
                              public ::testing::WithParamInterface<PostedDragCase> {};

TEST_P(PostedCommandDragTest, MovesOnlyWhenTheGestureSuitsTheItem) {
    const PostedDragCase &test = GetParam();
    desktop.applications().setDragAcceptance(app, test.acceptance);
    desktop.applications().setHung(app, test.hung);
    const QPointF to(centre(items[3]).x() + 5, centre(items[3]).y());
    postDrag(items[0], to, test.pacing);
    const QList<quint64> moved = {items[1], items[2], items[3], items[0]};
    EXPECT_EQ(movableOrder(), test.moves ? moved : items);
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, PostedCommandDragTest,
    ::testing::Values(
        PostedDragCase{"Standard", DragAcceptance::Always, false, DragPacing::standard(), true},
        PostedDragCase{"Slow", DragAcceptance::Always, false, DragPacing::slow(), true},
        PostedDragCase{"BackToBack", DragAcceptance::Always, false, DragPacing::hurried(), false},
        PostedDragCase{"StandardOnSlowOnlyItem", DragAcceptance::SlowGestureOnly, false,
                       DragPacing::standard(), false},
        PostedDragCase{"SlowOnSlowOnlyItem", DragAcceptance::SlowGestureOnly, false,
                       DragPacing::slow(), true},
        PostedDragCase{"NeverMovingItem", DragAcceptance::Never, false, DragPacing::slow(), false},
        PostedDragCase{"HungApplication", DragAcceptance::Always, true, DragPacing::slow(), false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(CommandDragTest, ZorvsOwnItemsMoveAndRememberTheirPosition) {
    auto icon = desktop.statusBar().createStatusItem(StatusBar::squareLength);
    icon->setAutosaveName(BarItems::zorvIconName);
    settle();
    const quint64 iconId = barOrder().front();
    const QPointF to(centre(items[3]).x() + 5, centre(items[3]).y());
    postDrag(iconId, to, DragPacing::standard());
    EXPECT_EQ(movableOrder().back(), iconId);
    EXPECT_EQ(desktop.items().rememberedPosition(zorvBundle, BarItems::zorvIconName), 0.0);
}

} // namespace
} // namespace zorv::testing
