#include "gestures/pointerrevealgestures.h"
#include "panelsfixture.h"

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString hoverReveal = u"engine.setHiddenRevealed(1,0,0)"_s;
const QString scrollToggle = u"engine.toggleRevealed(0)"_s;

// The laptop's menu bar spans y 958 to 982 (bottom-left convention).
constexpr QPointF inBar{400, 970};
constexpr QPointF belowBar{400, 900};

class GesturesTest : public PanelsTest {
protected:
    GesturesTest() {
        gestures.emplace(mac.model(), mac.desktop().eventMonitors(), mac.desktop().screens(),
                         clock);
        gestures->update(true, true);
        // Everything start-up asked of the engine is behind us.
        mac.fakes.log.clear();
    }

    void scrollAt(QPointF point) {
        moveTo(point);
        mac.desktop().userInput().scroll(-1);
        clock.settle();
    }

    std::optional<PointerRevealGestures> gestures;
};

// --- Hover.

TEST_F(GesturesTest, RestingInTheBarRevealsAfterTheDelayOnce) {
    moveTo(inBar);
    EXPECT_TRUE(gestures->hoverArmed());
    advance(0.2);
    moveTo(inBar + QPointF(30, 0));
    EXPECT_EQ(engineCalls(hoverReveal), 0) << "moves while armed do not reveal early";
    advance(0.06);
    EXPECT_EQ(engineCalls(hoverReveal), 1) << "the delay counts from entering, not the last move";
    EXPECT_FALSE(gestures->hoverArmed());
    EXPECT_TRUE(mac.model().isRevealed());

    moveTo(inBar + QPointF(60, 0));
    advance(1);
    EXPECT_EQ(engineCalls(hoverReveal), 1) << "an open bar is not revealed again";
}

TEST_F(GesturesTest, LeavingWithinTheDelayRevealsNothing) {
    moveTo(inBar);
    advance(0.1);
    moveTo(belowBar);
    EXPECT_FALSE(gestures->hoverArmed());
    // Back in the strip just before the first check would have fired: a new delay starts.
    advance(0.1);
    moveTo(inBar);
    advance(0.1);
    EXPECT_EQ(engineCalls(hoverReveal), 0) << "the cancelled check does not fire";
    advance(0.2);
    EXPECT_EQ(engineCalls(hoverReveal), 1);
}

TEST_F(GesturesTest, PointerGoneFromTheBarAtTheCheckRevealsNothing) {
    moveTo(inBar);
    // Moving the cursor without an event: no monitor hears it, the check reads it.
    mac.desktop().inputEvents().warpCursor(Coordinates::flipped(belowBar, primaryTop()));
    advance(0.3);
    EXPECT_EQ(engineCalls(hoverReveal), 0);
}

TEST_F(GesturesTest, HoveringOverAnOpenBarNeitherArmsNorTucks) {
    mac.model().revealHidden();
    clock.settle();
    mac.fakes.log.clear();
    moveTo(inBar);
    EXPECT_FALSE(gestures->hoverArmed());
    advance(1);
    EXPECT_EQ(engineCalls(hoverReveal), 0) << mac.fakes.log.join(u", "_s).toStdString();
    EXPECT_EQ(engineCalls(scrollToggle), 0);
    EXPECT_TRUE(mac.model().isRevealed());
}

TEST_F(GesturesTest, SwitchingHoverOffCancelsThePendingReveal) {
    moveTo(inBar);
    gestures->update(false, true);
    EXPECT_FALSE(gestures->hoverArmed());
    advance(0.5);
    EXPECT_EQ(engineCalls(hoverReveal), 0);
    moveTo(inBar);
    advance(0.5);
    EXPECT_EQ(engineCalls(hoverReveal), 0) << "no monitor hears the pointer any more";
}

TEST_F(GesturesTest, StripsOfEveryScreenCount) {
    // A second display right of the laptop, with an auto-hidden menu bar: its strip is still the
    // top 24 points of its frame.
    ScreenDescription second;
    second.size = QSizeF(1920, 1080);
    second.autoHidesMenuBar = true;
    mac.desktop().arrangement().add(second);
    const QRectF frame = mac.desktop().screens().screens().at(1).frame;
    struct Case {
        const char *name;
        QPointF point;
        bool reveals;
    };
    const Case cases[] = {
        {"second screen's strip", QPointF(frame.x() + 300, frame.bottom() - 10), true},
        {"just under its 24 points", QPointF(frame.x() + 300, frame.bottom() - 25), false},
        {"on the top edge itself", QPointF(frame.x() + 300, frame.bottom()), false},
        {"the laptop's bottom strip edge", QPointF(20, 958), true},
    };
    for (const Case &c : cases) {
        mac.fakes.log.clear();
        moveTo(belowBar);
        moveTo(c.point);
        advance(0.3);
        EXPECT_EQ(engineCalls(hoverReveal), c.reveals ? 1 : 0) << c.name;
        mac.model().hideHidden();
        clock.settle();
    }
}

// --- Scroll.

TEST_F(GesturesTest, ScrollTogglesAtMostOncePerHalfSecond) {
    struct Case {
        double apart;
        int toggles;
    };
    for (const Case c : {Case{0.3, 1}, Case{0.6, 2}, Case{0.5, 1}}) {
        gestures.emplace(mac.model(), mac.desktop().eventMonitors(), mac.desktop().screens(),
                         clock);
        gestures->update(false, true);
        mac.fakes.log.clear();
        scrollAt(inBar);
        advance(c.apart);
        scrollAt(inBar);
        EXPECT_EQ(engineCalls(scrollToggle), c.toggles) << c.apart << " s apart";
        advance(1);
    }
}

TEST_F(GesturesTest, ScrollOpensThenTucksAndIgnoresScrollsElsewhere) {
    scrollAt(belowBar);
    EXPECT_EQ(engineCalls(scrollToggle), 0);
    scrollAt(inBar);
    EXPECT_TRUE(mac.model().isRevealed());
    advance(0.6);
    scrollAt(inBar);
    EXPECT_FALSE(mac.model().isRevealed()) << "scrolling tucks an open bar";
}

TEST_F(GesturesTest, WallClockSetBackDoesNotHoldScrollTogglesOff) {
    scrollAt(inBar);
    clock.setWallTime(clock.wallNow().addSecs(-3600));
    advance(0.6);
    scrollAt(inBar);
    EXPECT_EQ(engineCalls(scrollToggle), 2);
}

// --- Monitors.

TEST_F(GesturesTest, MonitorsFollowTheSettingsWithoutStacking) {
    SimEventMonitors &monitors = mac.desktop().eventMonitors();
    const int before = monitors.count();
    gestures->update(true, true);
    EXPECT_EQ(monitors.count(), before) << "a second update with both on adds nothing";
    gestures->update(false, true);
    EXPECT_EQ(monitors.count(), before - 1);
    gestures->update(false, false);
    EXPECT_EQ(monitors.count(), before - 2);

    monitors.refuseNextMonitor();
    gestures->update(true, false);
    EXPECT_FALSE(gestures->hoverMonitored()) << "a refused monitor leaves none";
    gestures->update(true, false);
    EXPECT_TRUE(gestures->hoverMonitored()) << "the next update tries again";
    gestures.reset();
    EXPECT_EQ(monitors.count(), before - 2) << "going away removes its monitors";
}

} // namespace
} // namespace zorv
