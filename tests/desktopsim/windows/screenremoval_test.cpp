#include "desktoptest.h"

#include <QHash>
#include <QWindow>

#include <memory>

namespace zorv::testing {
namespace {

// A laptop (1512 x 982, bar 24) with a 3840 x 2160 display on its right, whose top-left corner
// lies at x 1512, y 0 (top-left convention). What the window server presents of each window is
// kept, as Zorv's desktop window would draw it.
class ScreenRemovalTest : public DesktopTest {
protected:
    ScreenRemovalTest() : laptop(addLaptop()) {
        ScreenDescription wide;
        wide.size = QSizeF(3840, 2160);
        second = desktop.arrangement().add(wide);
        desktop.appWindows().setPresenter(
            [this](SimAppWindow &window) { presented[&window] = window.record().frame; });
    }

    // A window at the content frame (top-left convention), shown; titled ones have a title bar
    // above the frame and can be resized and minimised, as Settings, untitled ones none, as the
    // search panel.
    SimAppWindow &window(const QRectF &frame, bool titled) {
        qtWindows.push_back(std::make_unique<QWindow>());
        adopted.push_back(desktop.appWindows().adopt(*qtWindows.back()));
        AppWindow &made = *adopted.back();
        WindowStyle style;
        style.titled = titled;
        style.resizable = titled;
        style.miniaturizable = titled;
        made.setStyle(style);
        made.setContentSize(frame.size());
        made.setFrameTopLeftPoint(frame.topLeft());
        made.orderFrontRegardless();
        return static_cast<SimAppWindow &>(made);
    }

    void remove(DisplayId display) {
        ASSERT_TRUE(desktop.arrangement().remove(display));
        settle();
    }

    DisplayId laptop = 0;
    DisplayId second = 0;
    std::vector<std::unique_ptr<QWindow>> qtWindows;
    std::vector<std::unique_ptr<AppWindow>> adopted;
    QHash<const SimAppWindow *, QRectF> presented;
};

// One window on the wide display as it is unplugged, and where it comes up on the laptop.
struct RemovalCase {
    const char *name;
    QRectF frame;
    bool titled = false;
    QRectF after;
};

void PrintTo(const RemovalCase &c, std::ostream *out) {
    *out << c.name;
}

class WindowOffRemovedDisplayTest : public ScreenRemovalTest,
                                    public ::testing::WithParamInterface<RemovalCase> {};

// The window keeps its distance from the screen's top-left corner as far as it can, and comes up
// whole below the laptop's menu bar, its title bar included, and is presented there.
TEST_P(WindowOffRemovedDisplayTest, ComesUpWholeOnTheRemainingDisplay) {
    const RemovalCase &c = GetParam();
    SimAppWindow &moved = window(c.frame, c.titled);
    ASSERT_NO_FATAL_FAILURE(remove(second));
    EXPECT_EQ(moved.record().frame, c.after);
    EXPECT_EQ(presented.value(&moved), c.after) << "presented there";
    const QRectF outer = TitleBar::outerFrame(moved.record());
    EXPECT_TRUE(QRectF(0, 24, 1512, 958).contains(outer)) << "whole below the bar";
    EXPECT_EQ(desktop.appWindows().windowAt(outer.center()), &moved) << "takes clicks there";
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowOffRemovedDisplayTest,
    ::testing::Values(
        // Settings dragged onto the wide display: its right part would pass the laptop's edge.
        RemovalCase{"Settings", QRectF(4510, 589, 720, 520), true,
                    QRectF(1512 - 720, 982 - 520, 720, 520)},
        RemovalCase{"SettingsNearTheTopKeepsItsTitleBarBelowTheMenuBar", QRectF(1612, 30, 720, 520),
                    true, QRectF(100, 24 + 28, 720, 520)},
        RemovalCase{"SearchPanelUnderTheWideBarsRightEnd", QRectF(1512 + 3840 - 430, 30, 420, 360),
                    false, QRectF(1512 - 420, 30, 420, 360)},
        RemovalCase{"WindowThatFitsWhereItStoodStaysThere", QRectF(1512 + 200, 300, 400, 300),
                    false, QRectF(200, 300, 400, 300)},
        RemovalCase{"MostlyOnTheWideDisplay", QRectF(1400, 200, 600, 400), false,
                    QRectF(0, 200, 600, 400)},
        RemovalCase{"LargerThanTheLaptopShrinksToItsArea", QRectF(1600, 100, 2400, 1300), true,
                    QRectF(0, 24 + 28, 1512, 958 - 28)}),
    [](const auto &info) { return std::string(info.param.name); });

// One window on a display whose resolution is lowered, and where it comes to lie on it.
struct ShrinkCase {
    const char *name;
    bool laptop = false;
    QSizeF size;
    QRectF frame;
    bool titled = false;
    QRectF after;
};

void PrintTo(const ShrinkCase &c, std::ostream *out) {
    *out << c.name;
}

class WindowOnShrunkDisplayTest : public ScreenRemovalTest,
                                  public ::testing::WithParamInterface<ShrinkCase> {};

// The window keeps its distance from the display's top-left corner as far as it can and stays
// whole on the display below its menu bar, shrunk when larger. The wide display keeps its
// bottom-left corner, so at 1920 x 1080 its top-left corner lies at x 1512, y 1080; the laptop
// keeps its top-left corner at the origin.
TEST_P(WindowOnShrunkDisplayTest, StaysWholeOnTheDisplay) {
    const ShrinkCase &c = GetParam();
    SimAppWindow &shrunk = window(c.frame, c.titled);
    ASSERT_TRUE(desktop.arrangement().resize(c.laptop ? laptop : second, c.size));
    settle();
    EXPECT_EQ(shrunk.record().frame, c.after);
    EXPECT_EQ(presented.value(&shrunk), c.after) << "presented there";
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowOnShrunkDisplayTest,
    ::testing::Values(
        ShrinkCase{"PastTheNewRightEdge", false, QSizeF(1920, 1080), QRectF(4510, 400, 720, 520),
                   true, QRectF(1512 + 1920 - 720, 1080 + 400, 720, 520)},
        ShrinkCase{"PastTheNewBottomEdge", false, QSizeF(1920, 1080), QRectF(1612, 1800, 400, 300),
                   false, QRectF(1612, 2160 - 300, 400, 300)},
        ShrinkCase{"OnlyNarrowerPastTheNewRightEdge", false, QSizeF(1920, 2160),
                   QRectF(4510, 400, 720, 520), true, QRectF(1512 + 1920 - 720, 400, 720, 520)},
        ShrinkCase{"OnlyShorterPastTheNewBottomEdge", false, QSizeF(3840, 1080),
                   QRectF(1612, 1800, 400, 300), false, QRectF(1612, 2160 - 300, 400, 300)},
        ShrinkCase{"LargerThanTheNewFrameShrinksToItsArea", false, QSizeF(1920, 1080),
                   QRectF(1712, 100, 2400, 1300), true,
                   QRectF(1512, 1080 + 24 + 28, 1920, 1080 - 24 - 28)},
        ShrinkCase{"FitsWhereItStood", false, QSizeF(1920, 1080), QRectF(1712, 300, 400, 300),
                   false, QRectF(1712, 1080 + 300, 400, 300)},
        ShrinkCase{"OnTheLaptopPastItsNewCorner", true, QSizeF(1280, 800),
                   QRectF(1000, 600, 400, 300), true, QRectF(1280 - 400, 800 - 300, 400, 300)},
        ShrinkCase{"OnTheLaptopNearTheTopStaysBelowTheBar", true, QSizeF(1280, 800),
                   QRectF(1100, 30, 300, 200), true, QRectF(1280 - 300, 24 + 28, 300, 200)}),
    [](const auto &info) { return std::string(info.param.name); });

// A lower resolution brings a hidden window and the frame a zoomed window returns to within the
// display too.
TEST_F(ScreenRemovalTest, HiddenAndUnzoomedWindowsStayOnTheShrunkDisplay) {
    SimAppWindow &zoomed = window(QRectF(4510, 400, 720, 520), true);
    SimAppWindow &closed = window(QRectF(4000, 1500, 500, 400), true);
    closed.userCloses();
    ASSERT_TRUE(desktop.arrangement().setMainScreen(second));
    settle();
    zoomed.userZooms();
    ASSERT_TRUE(desktop.arrangement().resize(second, QSizeF(1920, 1080)));
    settle();

    const QRectF area(1512, 1080 + 24, 1920, 1080 - 24);
    EXPECT_TRUE(area.contains(TitleBar::outerFrame(zoomed.record())));
    zoomed.userZooms();
    EXPECT_EQ(zoomed.record().frame, QRectF(1512 + 1920 - 720, 1080 + 400, 720, 520));
    closed.makeKeyAndOrderFront();
    EXPECT_TRUE(area.contains(TitleBar::outerFrame(closed.record())))
        << closed.record().frame.x() << " " << closed.record().frame.y();
}

// Several windows at once: those of the gone display come over, one mostly on the laptop stays,
// and a window ordered out comes back on screen when shown again.
TEST_F(ScreenRemovalTest, EveryWindowOfTheGoneDisplayComesOverAndTheOthersStay) {
    SimAppWindow &settings = window(QRectF(4510, 589, 720, 520), true);
    SimAppWindow &search = window(QRectF(3600, 30, 420, 360), false);
    SimAppWindow &onLaptop = window(QRectF(1200, 300, 400, 300), true);
    SimAppWindow &closed = window(QRectF(2000, 600, 500, 400), true);
    closed.userCloses();
    ASSERT_NO_FATAL_FAILURE(remove(second));

    for (const SimAppWindow *moved : {&settings, &search, &closed}) {
        EXPECT_TRUE(QRectF(0, 24, 1512, 958).contains(TitleBar::outerFrame(moved->record())))
            << moved->record().frame.x();
    }
    EXPECT_EQ(onLaptop.record().frame, QRectF(1200, 300, 400, 300));
    EXPECT_FALSE(closed.isVisible());
    closed.makeKeyAndOrderFront();
    EXPECT_EQ(closed.record().frame, QRectF(488, 982 - 400, 500, 400));
}

// A zoomed window on the display unplugged fills the laptop, and un-zooming it brings it back to
// its own frame there, not to where it stood on the gone display.
TEST_F(ScreenRemovalTest, AZoomedWindowUnzoomsOntoTheRemainingDisplay) {
    SimAppWindow &settings = window(QRectF(4510, 589, 720, 520), true);
    ASSERT_TRUE(desktop.arrangement().setMainScreen(second));
    settle();
    settings.userZooms();
    ASSERT_TRUE(settings.isZoomed());
    ASSERT_GE(settings.record().frame.left(), 1512.0) << "zoomed on the wide display";
    ASSERT_NO_FATAL_FAILURE(remove(second));
    EXPECT_TRUE(QRectF(0, 24, 1512, 958).contains(TitleBar::outerFrame(settings.record())));

    settings.userZooms();
    EXPECT_FALSE(settings.isZoomed());
    EXPECT_EQ(settings.record().frame, QRectF(1512 - 720, 982 - 520, 720, 520));
}

// Unplugging the primary display makes the wide one primary: its windows stay where they are on
// it (their coordinates now measured from its corner), and the laptop's come over to it.
TEST_F(ScreenRemovalTest, WindowsStayOnTheirDisplayWhenThePrimaryGoes) {
    SimAppWindow &onWide = window(QRectF(1512 + 300, 200, 500, 400), true);
    SimAppWindow &onLaptop = window(QRectF(1000, 500, 400, 300), false);
    ASSERT_NO_FATAL_FAILURE(remove(laptop));
    EXPECT_EQ(onWide.record().frame, QRectF(300, 200, 500, 400));
    EXPECT_EQ(onLaptop.record().frame, QRectF(1000, 500, 400, 300));
    EXPECT_EQ(onWide.frame(), QRectF(300, 2160 - 600, 500, 400)) << "bottom-left convention";
}

// Moving a display moves its windows with it; a window on no display is left where it is, and
// with every display gone the windows wait for the next one.
TEST_F(ScreenRemovalTest, WindowsMoveWithTheirDisplay) {
    SimAppWindow &onWide = window(QRectF(2000, 300, 400, 300), false);
    SimAppWindow &nowhere = window(QRectF(-5000, 300, 400, 300), false);
    ASSERT_TRUE(desktop.arrangement().move(second, QPointF(-3840, 982 - 2160)));
    settle();
    EXPECT_EQ(onWide.record().frame, QRectF(-3840 + 488, 300, 400, 300));
    EXPECT_EQ(nowhere.record().frame, QRectF(-5000, 300, 400, 300));

    ASSERT_NO_FATAL_FAILURE(remove(laptop));
    ASSERT_NO_FATAL_FAILURE(remove(second));
    EXPECT_EQ(onWide.record().frame, QRectF(488, 300, 400, 300)) << "kept while no screen is";
    addLaptop();
    settle();
    EXPECT_EQ(onWide.record().frame, QRectF(488, 300, 400, 300));
    EXPECT_TRUE(QRectF(0, 24, 1512, 958).contains(onWide.record().frame));
}

} // namespace
} // namespace zorv::testing
