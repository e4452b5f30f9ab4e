#include "desktoptest.h"

#include <QSignalSpy>

namespace zorv::testing {
namespace {

using namespace std::chrono_literals;

class BarLayoutTest : public DesktopTest {
protected:
    void SetUp() override {
        addLaptop();
        addSystemItems();
        app = launch(QStringLiteral("com.example.tools"));
        a = addItem(app, StatusBar::squareLength, QStringLiteral("a"));
        b = addItem(app, 30.0, QStringLiteral("b"));
        ItemDescription variable;
        variable.length = StatusBar::variableLength;
        variable.title = QStringLiteral("Hi");
        c = desktop.items().add(app, variable).value();
        settle();
    }

    qint32 app = 0;
    quint64 a = 0;
    quint64 b = 0;
    quint64 c = 0;
};

// Right to left from the right end (inset 10): the system items first, then the others in bar
// order, each its own length (square = thickness 24, variable = title estimate), 16 apart.
TEST_F(BarLayoutTest, LaysItemsOutRightToLeftAfterTheSystemItems) {
    struct Expected {
        quint64 id;
        double minX;
        double width;
    };
    const QList<Expected> expected = {{c, 1256, 24},
                                      {b, 1296, 30},
                                      {a, 1342, 24},
                                      {controlCenter, 1382, 24},
                                      {clockItem, 1422, 80}};
    ASSERT_EQ(barOrder(), (QList<quint64>{c, b, a, controlCenter, clockItem}));
    for (const Expected &item : expected) {
        const BarEntry found = entry(item.id);
        EXPECT_EQ(found.frame, QRectF(item.minX, 0, item.width, 24)) << "item " << item.id;
        EXPECT_TRUE(found.visible);
    }
}

TEST_F(BarLayoutTest, ApplicationsKeepTheSpacingTheyReadAtLaunch) {
    desktop.applications().setStatusItemSpacing(6.0);
    const qint32 later = launch(QStringLiteral("com.example.later"));
    const quint64 e = addItem(app, 20.0, QStringLiteral("e"));
    const quint64 d = addItem(later, 20.0, QStringLiteral("d"));
    settle();
    // e's application launched before the change: 16 left of c; d's after it: 6 left of e.
    EXPECT_EQ(entry(e).frame.right(), 1256 - 16);
    EXPECT_EQ(entry(d).frame.right(), entry(e).frame.left() - 6);
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
    const BarEntry gap = entry(separatorId);
    EXPECT_EQ(gap.frame, QRectF(1256 - 16 - 8, 0, 8, 24));

    separator->setLength(0.0);
    const quint64 d = addItem(app, 20.0, QStringLiteral("d"));
    settle();
    EXPECT_EQ(entry(separatorId).frame.width(), 0.0);
    EXPECT_EQ(entry(d).frame.right(), 1256 - 16) << "a zero-length item adds neither room nor gap";
}

TEST_F(BarLayoutTest, ChangesTakeEffectOnlyAtTheLayoutPass) {
    desktop.settings().setLayoutPassDelay(200ms);
    auto item = desktop.statusBar().createStatusItem(StatusBar::squareLength);
    settle();
    EXPECT_FALSE(item->button()->window()) << "a new item has no window before the first pass";
    clock.advance(100ms);
    EXPECT_FALSE(item->button()->window());
    clock.advance(100ms);
    ASSERT_TRUE(item->button()->window());
    EXPECT_EQ(item->button()->window()->frame.width(), 24);

    QSignalSpy passes(&desktop.model(), &DesktopModel::barChanged);
    item->setLength(40.0);
    item->setLength(50.0);
    clock.advance(199ms);
    EXPECT_EQ(item->button()->window()->frame.width(), 24) << "the old frame stays until the pass";
    clock.advance(1ms);
    EXPECT_EQ(item->button()->window()->frame.width(), 50);
    EXPECT_EQ(passes.count(), 1) << "changes before the pass share one pass";
}

TEST_F(BarLayoutTest, StatusItemWindowUsesTheBottomLeftConventionOnItsScreen) {
    auto item = desktop.statusBar().createStatusItem(StatusBar::squareLength);
    settle();
    const auto window = item->button()->window();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->frame, QRectF(1256 - 16 - 24, 982 - 24, 24, 24));
    ASSERT_TRUE(window->screen);
    EXPECT_EQ(window->screen->frame, QRectF(0, 0, 1512, 982));
    EXPECT_EQ(window->screen->visibleFrame, QRectF(0, 0, 1512, 982 - 24));
    EXPECT_TRUE(window->occlusionVisible);
}

} // namespace
} // namespace zorv::testing
