#include "desktoptest.h"

namespace zorv::testing {
namespace {

class RememberedPositionTest : public DesktopTest {
protected:
    void SetUp() override {
        addLaptop();
        addSystemItems();
        other = launch(QStringLiteral("com.example.other"));
        right = addItem(other, 24.0, QStringLiteral("right"));
        left = addItem(other, 24.0, QStringLiteral("left"));
        settle();
    }

    // Zorv's three items, created as the engine creates them; their ids are kept.
    std::vector<std::unique_ptr<StatusItem>> createZorvItems() {
        std::vector<std::unique_ptr<StatusItem>> items;
        for (const QString &name : {BarItems::zorvAlwaysHiddenSeparatorName,
                                    BarItems::zorvHiddenSeparatorName, BarItems::zorvIconName}) {
            items.push_back(desktop.statusBar().createStatusItem(
                name == BarItems::zorvIconName ? StatusBar::squareLength : 8.0));
            items.back()->setAutosaveName(name);
        }
        settle();
        icon = desktop.items().find(self(), BarItems::zorvIconName).value();
        hidden = desktop.items().find(self(), BarItems::zorvHiddenSeparatorName).value();
        alwaysHidden =
            desktop.items().find(self(), BarItems::zorvAlwaysHiddenSeparatorName).value();
        return items;
    }

    quint64 icon = 0;
    quint64 hidden = 0;
    quint64 alwaysHidden = 0;
    qint32 other = 0;
    quint64 right = 0;
    quint64 left = 0;
};

TEST_F(RememberedPositionTest, FirstRunPutsZorvsIconLeftOfItsSeparators) {
    const auto zorv = createZorvItems();
    EXPECT_EQ(barOrder(),
              (QList<quint64>{icon, hidden, alwaysHidden, left, right, controlCenter, clockItem}));
}

TEST_F(RememberedPositionTest, CommandDragIsRememberedAcrossRelaunches) {
    const qint32 mover = launch(QStringLiteral("com.example.mover"));
    const quint64 item = addItem(mover, 24.0, QStringLiteral("mover"));
    settle();
    ASSERT_EQ(barOrder().mid(0, 3), (QList<quint64>{item, left, right}));
    // Between "left" and "right": the remembered distance is right's room, 24 + 16.
    ASSERT_TRUE(desktop.userInput().commandDragItem(item, entry(right).frame.left() - 2));
    settle();
    ASSERT_EQ(barOrder().mid(0, 3), (QList<quint64>{left, item, right}));
    EXPECT_EQ(desktop.items().rememberedPosition(QStringLiteral("com.example.mover"),
                                                 QStringLiteral("Item-0")),
              40.0);

    desktop.applications().quit(mover);
    settle();
    ASSERT_EQ(barOrder().mid(0, 2), (QList<quint64>{left, right}));
    const qint32 relaunched = launch(QStringLiteral("com.example.mover"));
    const quint64 again = addItem(relaunched, 24.0, QStringLiteral("mover"));
    settle();
    EXPECT_EQ(barOrder().mid(0, 3), (QList<quint64>{left, again, right}));
}

TEST_F(RememberedPositionTest, ZorvsRelaunchRestoresItsArrangement) {
    {
        const auto zorv = createZorvItems();
        // The user puts the icon right of both separators.
        ASSERT_TRUE(desktop.userInput().commandDragItem(icon, entry(left).frame.left() - 1));
        settle();
    }
    settle();
    const auto again = createZorvItems();
    EXPECT_EQ(barOrder().mid(0, 3), (QList<quint64>{hidden, alwaysHidden, icon}))
        << "the icon is back right of the separators; the unmoved separators came in at the left";
}

TEST_F(RememberedPositionTest, MacOSCanMoveZorvsIconLeftOfItsSeparatorsAtAnyTime) {
    const auto zorv = createZorvItems();
    desktop.items().moveToIndex(icon, 3);
    settle();
    ASSERT_EQ(barOrder().indexOf(icon), 3);

    ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    settle();
    EXPECT_EQ(barOrder().front(), icon);
}

TEST_F(RememberedPositionTest, PositionBeyondEveryItemMeansTheLeftEnd) {
    desktop.items().setRememberedPosition(QStringLiteral("app.zorv.Zorv"), BarItems::zorvIconName,
                                          5000.0);
    desktop.items().setRememberedPosition(QStringLiteral("app.zorv.Zorv"),
                                          BarItems::zorvHiddenSeparatorName, 0.0);
    const auto zorv = createZorvItems();
    const QList<quint64> order = barOrder();
    EXPECT_EQ(order.front(), icon);
    EXPECT_EQ(order[order.size() - 3], hidden) << "distance 0 is the rightmost movable slot";
}

} // namespace
} // namespace zorv::testing
