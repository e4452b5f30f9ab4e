#include "overlay/appearanceoverlay.h"
#include "panelsfixture.h"

#include <QQuickItem>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

Screen screen(QRectF frame, double barHeight) {
    Screen s;
    s.frame = frame;
    s.visibleFrame = QRectF(frame.x(), frame.y(), frame.width(), frame.height() - barHeight);
    return s;
}

Appearance look(bool tint, bool border, bool shadow, double opacity = 0, double radius = 0,
                const QString &hex = u"#336699"_s) {
    Appearance a;
    a.tintEnabled = tint;
    a.borderEnabled = border;
    a.shadowEnabled = shadow;
    a.tintOpacity = opacity;
    a.cornerRadius = radius;
    a.tintHex = hex;
    return a;
}

// --- What each screen's window draws.

TEST(OverlayPlanTest, LayersFollowTheAppearance) {
    const Screen laptop = screen(QRectF(0, 0, 1512, 982), 24);
    struct Case {
        const char *name;
        Appearance appearance;
        double alpha;
        double radius;
        double shadowExtent;
    };
    const Case cases[] = {
        {"opacity 0 paints at the floor", look(true, false, false, 0), 0.18, 0, 0},
        {"opacity 0.5 paints as asked", look(true, false, false, 0.5), 0.5, 0, 0},
        {"an opacity past 1 is held to 1", look(true, false, false, 7), 1, 0, 0},
        {"radius 20 on a 24-point bar rounds by 12", look(true, false, false, 1, 20), 1, 12, 0},
        {"radius 5 rounds by 5", look(true, false, true, 1, 5), 1, 5, 10},
    };
    for (const Case &c : cases) {
        const QList<OverlayPlan> plans = OverlayPlan::forScreens({laptop}, c.appearance);
        ASSERT_EQ(plans.size(), 1) << c.name;
        ASSERT_TRUE(plans[0].tint) << c.name;
        EXPECT_NEAR(plans[0].tint->alphaF(), c.alpha, 0.01) << c.name;
        EXPECT_EQ(plans[0].tint->rgb() & 0xFFFFFF, 0x336699u) << c.name;
        EXPECT_EQ(plans[0].tintRadius, c.radius) << c.name;
        EXPECT_EQ(plans[0].shadowExtent, c.shadowExtent) << c.name;
        EXPECT_EQ(plans[0].frame, QRectF(0, 982 - 24 - c.shadowExtent, 1512, 24 + c.shadowExtent))
            << c.name;
    }
}

TEST(OverlayPlanTest, WindowsCoverEachBarAndTheShadowBand) {
    const QList<Screen> screens{screen(QRectF(0, 0, 1512, 982), 37),
                                // A hidden menu bar: the visible frame reaches the top.
                                screen(QRectF(1512, -98, 1920, 1080), 0)};
    EXPECT_TRUE(OverlayPlan::forScreens(screens, look(false, false, false, 1, 8)).isEmpty())
        << "every switch off: no window";

    const QList<OverlayPlan> shadowOnly =
        OverlayPlan::forScreens(screens, look(false, false, true));
    ASSERT_EQ(shadowOnly.size(), 2);
    EXPECT_EQ(shadowOnly[0].frame, QRectF(0, 982 - 37 - 10, 1512, 47)) << "a taller notch bar";
    EXPECT_EQ(shadowOnly[1].frame, QRectF(1512, 982 - 24 - 10, 1920, 34))
        << "a hidden menu bar still gets 24 points";
    EXPECT_FALSE(shadowOnly[0].tint);
    EXPECT_FALSE(shadowOnly[0].border);

    const QList<OverlayPlan> borderOnly =
        OverlayPlan::forScreens(screens, look(false, true, false));
    EXPECT_EQ(borderOnly[1].frame, QRectF(1512, 958, 1920, 24)) << "no shadow: just the bar";

    const QList<OverlayPlan> badHex =
        OverlayPlan::forScreens(screens, look(true, false, false, 0.4, 0, u"teal"_s));
    EXPECT_EQ(badHex[0].tint->rgb() & 0xFFFFFF, 0u) << "an unreadable colour tints black";
}

// --- The windows.

class OverlayTest : public PanelsTest {};

TEST_F(OverlayTest, OneClickThroughWindowPerScreenAboveTheBar) {
    ScreenDescription second;
    second.size = QSizeF(1920, 1080);
    mac.desktop().arrangement().add(second);
    AppearanceOverlay overlay(services);
    overlay.apply(look(true, true, true, 0.4, 6));
    ASSERT_EQ(overlay.windowCount(), 2);
    const QList<Screen> screens = mac.desktop().screens().screens();
    for (int i = 0; i < 2; ++i) {
        const AppWindow &server = overlay.window(i).server();
        EXPECT_TRUE(server.isVisible());
        EXPECT_FALSE(server.isKeyWindow());
        EXPECT_EQ(server.frame(), overlay.plans().at(i).frame);
        EXPECT_EQ(server.frame().bottom(), screens.at(i).frame.bottom()) << "flush with the top";
        EXPECT_EQ(server.style().level, WindowLevel::mainMenu + 1);
        EXPECT_EQ(server.style().collectionBehavior, 81u);
        EXPECT_TRUE(server.style().ignoresMouseEvents);
        EXPECT_FALSE(server.style().canBecomeKey);
        EXPECT_FALSE(server.style().hasShadow);
    }

    // A click on the tinted bar reaches the bar, not the overlay.
    SimAppWindows &windows = mac.desktop().appWindows();
    EXPECT_EQ(windows.windowAt(QPointF(700, 10)), nullptr);
}

TEST_F(OverlayTest, EveryApplyRebuildsForTheScreensOfTheMoment) {
    AppearanceOverlay overlay(services);
    overlay.apply(look(true, false, false, 0.3));
    ASSERT_EQ(overlay.windowCount(), 1);
    const QQuickWindow *first = &overlay.window(0).window();
    auto *tint = first->findChild<QQuickItem *>(u"tint"_s);
    ASSERT_TRUE(tint);
    EXPECT_TRUE(tint->isVisible());
    EXPECT_FALSE(first->findChild<QQuickItem *>(u"shadow"_s)->isVisible());

    ScreenDescription second;
    mac.desktop().arrangement().add(second);
    EXPECT_EQ(overlay.windowCount(), 1) << "screens are read only at apply";
    overlay.apply(look(false, false, true));
    ASSERT_EQ(overlay.windowCount(), 2);
    EXPECT_EQ(overlay.window(0).server().frame().height(), 34);
    EXPECT_FALSE(overlay.window(0).window().findChild<QQuickItem *>(u"tint"_s)->isVisible());

    overlay.apply(Appearance{});
    EXPECT_EQ(overlay.windowCount(), 0) << "all off takes every window away";
    int visible = 0;
    for (const SimAppWindow *window : mac.desktop().appWindows().windows()) {
        visible += window->record().visible ? 1 : 0;
    }
    EXPECT_EQ(visible, 0);
}

} // namespace
} // namespace zorv
