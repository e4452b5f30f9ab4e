#include "desktoptest.h"

#include <QSignalSpy>

namespace zorv::testing {
namespace {

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// A laptop in the middle, a 1920-point display left of it and a 7680-point one right of it.
class SeveralScreensTest : public DesktopTest {
protected:
    void SetUp() override {
        laptop = addLaptop();
        ScreenDescription wide;
        wide.name = u"Wide Display"_s;
        wide.size = QSizeF(7680, 2160);
        external = desktop.arrangement().add(wide);
        ScreenDescription side;
        side.name = u"Side Display"_s;
        side.size = QSizeF(1920, 1080);
        side.origin = QPointF(-1920, 982 - 1080);
        left = desktop.arrangement().add(side);
        addSystemItems();
        app = launch(u"com.example.tools"_s);
        a = addItem(app, 24.0, u"a"_s);
        addItem(app, 40.0, u"b"_s);
        settle();
    }

    // Each item's distance from its screen's right edge and its width.
    QList<QPair<double, double>> shape(DisplayId display, double screenRight) {
        QList<QPair<double, double>> result;
        for (const BarEntry &found : desktop.readout().bar(display)) {
            result.append({screenRight - found.frame.right(), found.frame.width()});
        }
        return result;
    }

    double widthOn(DisplayId display, quint64 itemId) {
        const QList<BarEntry> bar = desktop.readout().bar(display);
        const auto found = std::ranges::find(bar, itemId, &BarEntry::itemId);
        EXPECT_NE(found, bar.end()) << "item " << itemId << " is not on display " << display;
        return found == bar.end() ? -1.0 : found->frame.width();
    }

    DisplayId laptop = 0;
    DisplayId external = 0;
    DisplayId left = 0;
    qint32 app = 0;
    quint64 a = 0;
};

TEST_F(SeveralScreensTest, EveryBarShowsTheSameItemsWithTheSameLengths) {
    const auto onLaptop = shape(laptop, 1512);
    EXPECT_EQ(onLaptop.size(), 4);
    EXPECT_EQ(shape(external, 1512 + 7680), onLaptop);
    EXPECT_EQ(shape(left, 0), onLaptop);
    const auto clockOnLeft = desktop.readout().bar(left).back();
    EXPECT_EQ(clockOnLeft.frame, QRectF(-10 - 80, 0, 80, 24)) << "left of the main screen: x < 0";
    EXPECT_FALSE(desktop.screens().screens().front().auxiliaryTopLeftArea) << "no camera housing";
}

TEST_F(SeveralScreensTest, ItemWindowsLiveOnTheMainScreensBar) {
    desktop.arrangement().setMainScreen(external);
    settle();
    EXPECT_EQ(entry(clockItem).frame, QRectF(1512 + 7680 - 90, 0, 80, 24));
    auto own = desktop.statusBar().createStatusItem(StatusBar::squareLength);
    settle();
    const auto window = own->button()->window();
    ASSERT_TRUE(window && window->screen);
    EXPECT_EQ(window->screen->displayId, external);
    EXPECT_EQ(desktop.screens().mainScreen()->displayId, external);
    EXPECT_EQ(desktop.screens().screens().front().displayId, laptop) << "system order";

    desktop.arrangement().setMainScreen(std::nullopt);
    EXPECT_FALSE(desktop.screens().mainScreen());
}

// A screen that does not follow length changes keeps the width an item had when it appeared
// there, not the one of its first layout pass; only a collapse (to 8 points or 0) reaches it.
// The other screens follow every change.
TEST_F(SeveralScreensTest, NotHidingScreenKeepsTheWidthFromCreationUnlessItCollapses) {
    const struct {
        const char *name;
        // Changed before its first layout pass rather than after each pass.
        bool beforeTheFirstPass;
        QList<double> lengths;
        double width;
    } cases[] = {
        {"GrowthIsIgnored", false, {3000}, 24},
        {"GrowthBeforeTheFirstPassIsIgnored", true, {3000}, 24},
        {"ShrinkingAboveEightPointsIsIgnored", false, {3000, 12}, 24},
        {"CollapseToEightPointsApplies", false, {3000, 8}, 8},
        {"CollapseToZeroApplies", true, {3000, 0}, 0},
        {"GrowthAfterACollapseIsIgnored", false, {8, 3000}, 8},
    };
    desktop.arrangement().setNotHiding(left, true);
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        const quint64 item = addItem(app, 24.0, QString::fromLatin1(row.name));
        for (double length : row.lengths) {
            if (!row.beforeTheFirstPass) {
                settle();
            }
            desktop.items().setLength(item, length);
        }
        settle();
        EXPECT_EQ(widthOn(left, item), row.width);
        EXPECT_EQ(widthOn(laptop, item), row.lengths.back());
    }
}

TEST_F(SeveralScreensTest, NotHidingScreenAttachedLaterKeepsTheWidthsOfThatMoment) {
    desktop.items().setLength(a, 3000.0);
    settle();
    ScreenDescription airPlay;
    airPlay.notHiding = true;
    const DisplayId joined = desktop.arrangement().add(airPlay);
    desktop.items().setLength(a, 24.0);
    settle();
    EXPECT_EQ(widthOn(joined, a), 3000.0);
    EXPECT_EQ(widthOn(laptop, a), 24.0);
}

TEST_F(SeveralScreensTest, ScreenChangesAreAnnouncedAndRelaidOut) {
    QSignalSpy changes(&desktop.screens(), &Screens::screenParametersChanged);
    desktop.arrangement().remove(laptop);
    EXPECT_EQ(changes.count(), 1);
    settle();
    // The wide display is primary now: every frame is measured from its corner.
    const QList<Screen> screens = desktop.screens().screens();
    ASSERT_EQ(screens.size(), 2);
    EXPECT_EQ(screens.front().frame, QRectF(0, 0, 7680, 2160));
    EXPECT_EQ(entry(clockItem).frame, QRectF(7680 - 90, 0, 80, 24));

    desktop.arrangement().resize(external, QSizeF(3840, 2160));
    desktop.arrangement().move(left, QPointF(3840, 0));
    EXPECT_EQ(changes.count(), 3);
    settle();
    EXPECT_EQ(entry(clockItem).frame.right(), 3840 - 10);
    EXPECT_EQ(desktop.readout().bar(left).back().frame.right(), 3840 + 1920 - 10);
}

TEST_F(SeveralScreensTest, AutoHiddenBarComesInWhenThePointerRestsAtTheTopEdge) {
    desktop.arrangement().setAutoHidesMenuBar(laptop, true);
    settle();
    auto own = desktop.statusBar().createStatusItem(StatusBar::squareLength);
    settle();
    const double x = entry(a).frame.x();
    EXPECT_EQ(entry(a).frame, QRectF(x, -24, 24, 24)) << "above the top edge";
    EXPECT_FALSE(entry(a).visible);
    EXPECT_FALSE(own->button()->window()->occlusionVisible);
    EXPECT_EQ(desktop.screens().screens().front().visibleFrame, QRectF(0, 0, 1512, 982));

    desktop.userInput().moveMouse(QPointF(500, 1));
    clock.advance(499ms);
    EXPECT_FALSE(entry(a).visible);
    clock.advance(1ms);
    EXPECT_TRUE(entry(a).visible);
    EXPECT_EQ(entry(a).frame, QRectF(x, 0, 24, 24));
    EXPECT_TRUE(own->button()->window()->occlusionVisible);

    desktop.userInput().moveMouse(QPointF(500, 12));
    EXPECT_TRUE(entry(a).visible) << "it stays while the pointer is in the bar";
    desktop.userInput().moveMouse(QPointF(500, 300));
    EXPECT_FALSE(entry(a).visible);
    EXPECT_EQ(entry(a).frame.x(), x);
}

} // namespace
} // namespace zorv::testing
