#include "desktoptest.h"

#include <QSignalSpy>

namespace zorv::testing {
namespace {

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// A laptop with the system items and three items of one application: square, 30 points and
// variable, created in that order.
class BarLayoutTest : public DesktopTest {
protected:
    void SetUp() override {
        addLaptop();
        addSystemItems();
        app = launch(u"com.example.tools"_s);
        a = addItem(app, StatusBar::squareLength, u"a"_s);
        b = addItem(app, 30.0, u"b"_s);
        ItemDescription variable;
        variable.length = StatusBar::variableLength;
        variable.title = u"Hi"_s;
        c = desktop.items().add(app, variable).value();
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

    qint32 app = 0;
    quint64 a = 0;
    quint64 b = 0;
    quint64 c = 0;
    quint64 icon = 0;
    quint64 hidden = 0;
    quint64 alwaysHidden = 0;
};

// Right to left from the right end (inset 10): the system items first, then the others in bar
// order, each its own length (square = thickness 24, variable = title estimate), 16 apart.
TEST_F(BarLayoutTest, LaysItemsOutRightToLeftAfterTheSystemItems) {
    ASSERT_EQ(barOrder(), (QList<quint64>{c, b, a, controlCenter, clockItem}));
    const QList<std::pair<quint64, QRectF>> expected = {{c, QRectF(1256, 0, 24, 24)},
                                                        {b, QRectF(1296, 0, 30, 24)},
                                                        {a, QRectF(1342, 0, 24, 24)},
                                                        {controlCenter, QRectF(1382, 0, 24, 24)},
                                                        {clockItem, QRectF(1422, 0, 80, 24)}};
    for (const auto &[id, frame] : expected) {
        EXPECT_EQ(entry(id).frame, frame) << "item " << id;
        EXPECT_TRUE(entry(id).visible) << "item " << id;
    }
}

TEST_F(BarLayoutTest, GrowingItemKeepsItsRightEdgeAndPushesItemsPastTheLeftEdgeUpToTheCap) {
    desktop.items().setLength(b, 2000.0);
    settle();
    EXPECT_EQ(entry(b).frame, QRectF(1326 - 2000, 0, 2000, 24));
    EXPECT_EQ(entry(a).frame.left(), 1342) << "items right of the grown one stay put";
    const BarEntry pushed = entry(c);
    EXPECT_EQ(pushed.frame, QRectF(1326 - 2000 - 16 - 24, 0, 24, 24));
    EXPECT_FALSE(pushed.onScreen);
    EXPECT_FALSE(pushed.visible);

    desktop.items().setLength(b, 50000.0);
    settle();
    EXPECT_EQ(entry(b).frame.width(), StatusBar::maximumLength) << "lengths are capped";
}

TEST_F(BarLayoutTest, CollapsedSeparatorIsAnEightPointGapAndZeroLengthTakesNoRoom) {
    auto separator = desktop.statusBar().createStatusItem(8.0);
    separator->button()->setTitle(QString());
    settle();
    const quint64 separatorId = barOrder().front();
    EXPECT_EQ(entry(separatorId).frame, QRectF(1256 - 16 - 8, 0, 8, 24));

    separator->setLength(0.0);
    const quint64 d = addItem(app, 20.0, u"d"_s);
    settle();
    EXPECT_EQ(entry(separatorId).frame.width(), 0.0);
    EXPECT_EQ(entry(d).frame.right(), 1256 - 16) << "a zero-length item adds neither room nor gap";
}

// A status item's window appears, and follows length changes, only at the layout pass; it uses
// the bottom-left convention on its screen.
TEST_F(BarLayoutTest, ChangesTakeEffectOnlyAtTheLayoutPass) {
    desktop.settings().setLayoutPassDelay(200ms);
    auto item = desktop.statusBar().createStatusItem(StatusBar::squareLength);
    settle();
    EXPECT_FALSE(item->button()->window()) << "a new item has no window before the first pass";
    clock.advance(100ms);
    EXPECT_FALSE(item->button()->window());
    clock.advance(100ms);
    const auto window = item->button()->window();
    ASSERT_TRUE(window && window->screen);
    EXPECT_EQ(window->frame, QRectF(1256 - 16 - 24, 982 - 24, 24, 24));
    EXPECT_EQ(window->screen->frame, QRectF(0, 0, 1512, 982));
    EXPECT_EQ(window->screen->visibleFrame, QRectF(0, 0, 1512, 982 - 24));
    EXPECT_TRUE(window->occlusionVisible);

    QSignalSpy passes(&desktop.model(), &DesktopModel::barChanged);
    item->setLength(40.0);
    item->setLength(50.0);
    clock.advance(199ms);
    EXPECT_EQ(item->button()->window()->frame.width(), 24) << "the old frame stays until the pass";
    clock.advance(1ms);
    EXPECT_EQ(item->button()->window()->frame.width(), 50);
    EXPECT_EQ(passes.count(), 1) << "changes before the pass share one pass";
}

TEST_F(BarLayoutTest, FirstRunPutsZorvsIconLeftOfItsSeparators) {
    const auto zorv = createZorvItems();
    EXPECT_EQ(barOrder(),
              (QList<quint64>{icon, hidden, alwaysHidden, c, b, a, controlCenter, clockItem}));
}

TEST_F(BarLayoutTest, CommandDragIsRememberedAcrossRelaunches) {
    const qint32 mover = launch(u"com.example.mover"_s);
    const quint64 item = addItem(mover, 24.0, u"mover"_s);
    settle();
    ASSERT_EQ(barOrder().mid(0, 4), (QList<quint64>{item, c, b, a}));
    // Between b and a: the remembered distance is a's room, 24 + 16.
    ASSERT_TRUE(desktop.userInput().commandDragItem(item, entry(a).frame.left() - 2));
    settle();
    ASSERT_EQ(barOrder().mid(0, 4), (QList<quint64>{c, b, item, a}));
    EXPECT_EQ(desktop.items().rememberedPosition(u"com.example.mover"_s, u"Item-0"_s), 40.0);

    desktop.applications().quit(mover);
    settle();
    ASSERT_EQ(barOrder().mid(0, 3), (QList<quint64>{c, b, a}));
    const qint32 relaunched = launch(u"com.example.mover"_s);
    const quint64 again = addItem(relaunched, 24.0, u"mover"_s);
    settle();
    EXPECT_EQ(barOrder().mid(0, 4), (QList<quint64>{c, b, again, a}));
}

// At an application's quit the Mac remembers each of its items' distance from the right end as
// the bar stands then: the room of every item on its right, a lengthened one at its full length
// (a separator stretched to hide the items on its left). The lengthened item's own distance does
// not change, since it grows leftwards.
TEST_F(BarLayoutTest, AQuitRemembersDistancesWithLengthenedItemsCounted) {
    const qint32 owner = launch(u"com.example.owner"_s);
    const auto add = [&](const QString &name) {
        ItemDescription description;
        description.length = 24.0;
        description.autosaveName = name;
        return desktop.items().add(owner, description).value();
    };
    const quint64 right = add(u"right"_s);
    (void)add(u"left"_s);
    ASSERT_TRUE(desktop.items().setLength(right, 1200.0));
    settle();

    desktop.applications().quit(owner);
    settle();
    const auto remembered = [this](const QString &name) {
        return desktop.items().rememberedPosition(u"com.example.owner"_s, name).value_or(-1.0);
    };
    EXPECT_GE(remembered(u"right"_s), 0.0);
    EXPECT_EQ(remembered(u"left"_s) - remembered(u"right"_s), 1200.0 + 16.0);
}

TEST_F(BarLayoutTest, ZorvsRelaunchRestoresItsArrangement) {
    {
        const auto zorv = createZorvItems();
        // The user puts the icon right of both separators.
        ASSERT_TRUE(desktop.userInput().commandDragItem(icon, entry(c).frame.left() - 1));
        settle();
    }
    settle();
    const auto again = createZorvItems();
    EXPECT_EQ(barOrder().mid(0, 3), (QList<quint64>{hidden, alwaysHidden, icon}))
        << "the icon is back right of the separators; the unmoved separators came in at the left";
}

TEST_F(BarLayoutTest, MacOSCanMoveZorvsIconLeftOfItsSeparatorsAtAnyTime) {
    const auto zorv = createZorvItems();
    desktop.items().moveToIndex(icon, 3);
    settle();
    ASSERT_EQ(barOrder().indexOf(icon), 3);

    ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    settle();
    EXPECT_EQ(barOrder().front(), icon);
}

TEST_F(BarLayoutTest, RememberedPositionBeyondEveryItemMeansTheLeftEnd) {
    desktop.items().setRememberedPosition(zorvBundle, BarItems::zorvIconName, 5000.0);
    desktop.items().setRememberedPosition(zorvBundle, BarItems::zorvHiddenSeparatorName, 0.0);
    const auto zorv = createZorvItems();
    const QList<quint64> order = barOrder();
    EXPECT_EQ(order.front(), icon);
    EXPECT_EQ(order[order.size() - 3], hidden) << "distance 0 is the rightmost movable slot";
}

} // namespace
} // namespace zorv::testing
