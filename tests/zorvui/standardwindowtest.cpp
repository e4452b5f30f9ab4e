#include "windows/standardwindow.h"
#include "manualclock.h"
#include "simulateddesktop.h"
#include "windows/simappwindows.h"

#include <gtest/gtest.h>

#include <QQuickWindow>

#include <tuple>

namespace zorv {
namespace {

// The laptop's visible area below the 24-point bar: 1512 × 958 from y 24, centre (756, 503).
class StandardWindowTest : public ::testing::Test {
protected:
    StandardWindowTest() {
        desktop.arrangement().add(ScreenDescription{});
        quick.resize(400, 300);
        adopted = windows.adopt(quick);
        window = windows.windows().constFirst();
        resizable(*window);
    }

    // Settings' kind of window: it can be zoomed, put in full screen and minimised.
    static void resizable(SimAppWindow &window) {
        WindowStyle style = window.style();
        style.miniaturizable = true;
        style.resizable = true;
        window.setStyle(style);
    }

    void settle(double secondsToGo = 0) {
        clock.advance(seconds(secondsToGo));
        clock.settle();
    }

    ManualClock clock;
    SimulatedDesktop desktop{clock, AppDescription{}};
    SimAppWindows windows{desktop.model()};
    QQuickWindow quick;
    std::unique_ptr<AppWindow> adopted;
    SimAppWindow *window = nullptr;
};

TEST_F(StandardWindowTest, PresentsAWindowByItsState) {
    const struct {
        const char *name;
        std::function<void(SimAppWindow &)> before;
        std::optional<QSizeF> size;
        QRectF frame;
    } cases[] = {
        {"ordered out, no size: centred at its size", [](SimAppWindow &) {}, std::nullopt,
         QRectF(556, 353, 400, 300)},
        {"ordered out with a size", [](SimAppWindow &) {}, QSizeF(600, 500),
         QRectF(456, 253, 600, 500)},
        {"on screen: only key and front",
         [](SimAppWindow &w) {
             w.makeKeyAndOrderFront();
             w.userMoves(QPointF(10, 40));
             w.userZooms();
             w.resignKey();
         },
         QSizeF(600, 500), QRectF(0, 24, 1512, 958)},
        {"zoomed and closed: un-zoomed first",
         [](SimAppWindow &w) {
             w.userZooms();
             w.userCloses();
         },
         std::nullopt, QRectF(556, 353, 400, 300)},
        {"minimised with a size",
         [](SimAppWindow &w) {
             w.makeKeyAndOrderFront();
             w.userMinimizes();
         },
         QSizeF(640, 480), QRectF(436, 263, 640, 480)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QQuickWindow other;
        other.resize(400, 300);
        auto fresh = windows.adopt(other);
        SimAppWindow &w = *windows.windows().constLast();
        resizable(w);
        c.before(w);
        settle();
        StandardWindow::present(w, c.size);
        settle();
        EXPECT_EQ(w.record().frame, c.frame);
        EXPECT_EQ(std::tuple(w.record().visible, w.record().key, w.record().miniaturized),
                  std::tuple(true, true, false))
            << "visible, key, not minimised";
        EXPECT_EQ(windows.keyWindow(), &w);
        EXPECT_EQ(other.size(), c.frame.size().toSize()) << "the Qt window follows";
        EXPECT_TRUE(other.isVisible());
    }
}

TEST_F(StandardWindowTest, LeavesFullScreenBeforeSizingAndCentring) {
    window->userEntersFullScreen();
    settle(1);
    ASSERT_TRUE(window->record().fullScreen);
    window->userCloses();

    StandardWindow::present(*window, QSizeF(500, 400));
    settle();
    EXPECT_TRUE(window->record().fullScreen) << "leaving takes the transition";
    EXPECT_FALSE(window->record().visible);
    settle(SimAppWindow::fullScreenTransition);
    EXPECT_FALSE(window->record().fullScreen);
    EXPECT_EQ(window->record().frame, QRectF(506, 303, 500, 400));
    EXPECT_TRUE(window->record().key);

    // A later exit notification finds no observer.
    window->userMoves(QPointF(0, 30));
    Q_EMIT window->didExitFullScreen();
    settle();
    EXPECT_EQ(window->record().frame.topLeft(), QPointF(0, 30));
}

TEST_F(StandardWindowTest, KeepsOneKeyWindowInFront) {
    QQuickWindow second;
    auto adoptedSecond = windows.adopt(second);
    SimAppWindow *other = windows.windows().constLast();
    StandardWindow::present(*window, std::nullopt);
    StandardWindow::present(*other, std::nullopt);
    settle();
    EXPECT_FALSE(window->record().key);
    EXPECT_TRUE(other->record().key);
    EXPECT_GT(other->record().frontOrder, window->record().frontOrder);
    StandardWindow::present(*window, std::nullopt);
    EXPECT_EQ(windows.keyWindow(), window);
    EXPECT_GT(window->record().frontOrder, other->record().frontOrder);
}

} // namespace
} // namespace zorv
