#include "desktoptest.h"

#include <QSignalSpy>

namespace zorv::testing {
namespace {

using namespace std::chrono_literals;

// A laptop in the middle, a 1920-point display left of it and a 7680-point one right of it.
class SeveralScreensTest : public DesktopTest {
protected:
    void SetUp() override {
        laptop = addLaptop();
        ScreenDescription wide;
        wide.name = QStringLiteral("Wide Display");
        wide.size = QSizeF(7680, 2160);
        external = desktop.arrangement().add(wide);
        ScreenDescription side;
        side.name = QStringLiteral("Side Display");
        side.size = QSizeF(1920, 1080);
        side.origin = QPointF(-1920, 982 - 1080);
        left = desktop.arrangement().add(side);
        addSystemItems();
        app = launch(QStringLiteral("com.example.tools"));
        a = addItem(app, 24.0, QStringLiteral("a"));
        b = addItem(app, 40.0, QStringLiteral("b"));
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
        for (const BarEntry &found : desktop.readout().bar(display)) {
            if (found.itemId == itemId) {
                return found.frame.width();
            }
        }
        ADD_FAILURE() << "item " << itemId << " is not on display " << display;
        return -1.0;
    }

    DisplayId laptop = 0;
    DisplayId external = 0;
    DisplayId left = 0;
    qint32 app = 0;
    quint64 a = 0;
    quint64 b = 0;
};

TEST_F(SeveralScreensTest, EveryBarShowsTheSameItemsWithTheSameLengths) {
    const auto onLaptop = shape(laptop, 1512);
    EXPECT_EQ(onLaptop.size(), 4);
    EXPECT_EQ(shape(external, 1512 + 7680), onLaptop);
    EXPECT_EQ(shape(left, 0), onLaptop);
    const auto clockOnLeft = desktop.readout().bar(left).back();
    EXPECT_EQ(clockOnLeft.frame, QRectF(-10 - 80, 0, 80, 24)) << "left of the main screen: x < 0";
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
struct NotHidingCase {
    const char *name;
    // The item is created in the test and changed before its first layout pass.
    bool fresh;
    QList<double> lengths;
    double width;
};

void PrintTo(const NotHidingCase &param, std::ostream *out) {
    *out << param.name;
}

class NotHidingScreenTest : public SeveralScreensTest,
                            public ::testing::WithParamInterface<NotHidingCase> {};

TEST_P(NotHidingScreenTest, KeepsTheWidthFromCreationUnlessItCollapses) {
    const NotHidingCase &param = GetParam();
    desktop.arrangement().setNotHiding(left, true);
    const quint64 item = param.fresh ? addItem(app, 24.0, QStringLiteral("fresh")) : a;
    for (double length : param.lengths) {
        desktop.items().setLength(item, length);
        if (!param.fresh) {
            settle();
        }
    }
    settle();
    EXPECT_EQ(widthOn(left, item), param.width);
    EXPECT_EQ(widthOn(laptop, item), param.lengths.back()) << "the other screens follow";
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, NotHidingScreenTest,
    ::testing::Values(NotHidingCase{"GrowthIsIgnored", false, {3000}, 24},
                      NotHidingCase{"GrowthBeforeTheFirstPassIsIgnored", true, {3000}, 24},
                      NotHidingCase{"ShrinkingAboveEightPointsIsIgnored", false, {3000, 12}, 24},
                      NotHidingCase{"CollapseToEightPointsApplies", false, {3000, 8}, 8},
                      NotHidingCase{"CollapseToZeroApplies", true, {3000, 0}, 0},
                      NotHidingCase{"GrowthAfterACollapseIsIgnored", false, {8, 3000}, 8}),
    [](const auto &info) { return std::string(info.param.name); });

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
