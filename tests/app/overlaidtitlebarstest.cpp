#include "overlaidtitlebars.h"
#include "manualclock.h"
#include "simulateddesktop.h"
#include "windows/simappwindows.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// A window's content with one control across its left half, which takes presses; the rest is
// background. Remembers the presses, moves and releases it got, by where they landed.
class ContentWindow final : public QWindow {
public:
    static constexpr int controlWidth = 200;

    QList<std::pair<QEvent::Type, QPoint>> heard;

protected:
    void mousePressEvent(QMouseEvent *event) override { take(event); }
    void mouseMoveEvent(QMouseEvent *event) override { take(event); }
    void mouseReleaseEvent(QMouseEvent *event) override { take(event); }

private:
    void take(QMouseEvent *event) {
        // Not the pointer passing over it.
        if (event->type() != QEvent::MouseMove || event->buttons() != Qt::NoButton) {
            heard.append({event->type(), event->position().toPoint()});
        }
        event->setAccepted(event->position().x() < controlWidth);
    }
};

// A window of Zorv's on the simulated laptop with its content at (100, 100), 400 x 300, and its
// title bar over it or above it.
struct OverlaidWindow {
    OverlaidWindow(SimAppWindows &windows, const WindowStyle &style) {
        adopted = windows.adopt(content);
        adopted->setStyle(style);
        adopted->setContentSize(QSizeF(400, 300));
        adopted->setFrameTopLeftPoint(QPointF(100, 100));
        content.resize(400, 300);
    }

    [[nodiscard]] SimAppWindow &server() { return static_cast<SimAppWindow &>(*adopted); }
    [[nodiscard]] const WindowRecord &record() { return server().record(); }

    ContentWindow content;
    std::unique_ptr<AppWindow> adopted;
};

WindowStyle titled(bool fullSize = false) {
    WindowStyle style;
    style.titled = true;
    style.closable = true;
    style.miniaturizable = true;
    style.fullSizeContentView = fullSize;
    style.titlebarTransparent = fullSize;
    style.movableByWindowBackground = fullSize;
    return style;
}

// Where the desktop window draws the Mac's point (0, 0) on the real screen.
const QPoint drawnAt(500, 300);

// The offscreen platform cannot cut windows to a shape: the title bars' masks are kept on the
// windows all the same. Its word on that is left out; everything else goes on as before.
QtMessageHandler handlerBefore = nullptr;

void quietAboutMasks(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (!message.contains(u"does not support setting window masks"_s) && handlerBefore) {
        handlerBefore(type, context, message);
    }
}

class OverlaidTitleBarsTest : public ::testing::Test {
protected:
    OverlaidTitleBarsTest()
        : desktop(clock, AppDescription{u"app.zorv.Zorv"_s, u"Zorv"_s, ActivationPolicy::Regular,
                                        0.0, DragAcceptance::Always}) {
        handlerBefore = qInstallMessageHandler(quietAboutMasks);
        ScreenDescription laptop;
        laptop.name = u"Built-in Retina Display"_s;
        desktop.arrangement().add(laptop);
    }
    ~OverlaidTitleBarsTest() override { qInstallMessageHandler(handlerBefore); }

    // The title bars on the real screen that are shown.
    static QList<QWindow *> shownBars() {
        QList<QWindow *> bars;
        for (QWindow *window : QGuiApplication::topLevelWindows()) {
            if (dynamic_cast<TitleBarWindow *>(window) && window->isVisible()) {
                bars.append(window);
            }
        }
        return bars;
    }

    // Lays `windows` over the real screen where the desktop window draws them, each content
    // window at its place, as ScreenWindows does whenever they move.
    bool overlay(const QList<OverlaidWindow *> &windows, bool dark = false) {
        m_overlaid = windows;
        m_dark = dark;
        QList<std::pair<SimAppWindow *, QRect>> shown;
        for (OverlaidWindow *window : windows) {
            const QRect real(window->record().frame.topLeft().toPoint() + drawnAt,
                             window->record().frame.size().toSize());
            window->content.setGeometry(real);
            shown.append({&window->server(), real});
        }
        return bars.update(shown, &desktopWindow, dark);
    }

    // A press at `from`, a drag through the middle to `to` and the release there, points of the
    // real screen, on `window`; the windows follow each step.
    void drag(QWindow *window, QPoint from, QPoint to) {
        const auto local = [window](QPoint real) { return real - window->position(); };
        QTest::mousePress(window, Qt::LeftButton, {}, local(from));
        overlay(m_overlaid, m_dark);
        QTest::mouseMove(window, local((from + to) / 2));
        overlay(m_overlaid, m_dark);
        QTest::mouseMove(window, local(to));
        overlay(m_overlaid, m_dark);
        QTest::mouseRelease(window, Qt::LeftButton, {}, local(to));
        overlay(m_overlaid, m_dark);
    }

    // The real screen's point for a point of the Mac.
    static QPoint real(QPointF onMac) { return onMac.toPoint() + drawnAt; }

    ManualClock clock;
    SimulatedDesktop desktop;
    QWindow desktopWindow;
    OverlaidTitleBars bars{desktop.userInput()};

private:
    QList<OverlaidWindow *> m_overlaid;
    bool m_dark = false;
};

// A title bar lies right above its window's content where the desktop window draws it; a
// transparent one over content that reaches under it takes only its buttons' circles; an
// untitled window has none, and a window no longer shown loses its own.
TEST_F(OverlaidTitleBarsTest, LaysEachTitleBarOverItsWindowWhileItShows) {
    OverlaidWindow plain(desktop.appWindows(), titled());
    OverlaidWindow fullSize(desktop.appWindows(), titled(true));
    OverlaidWindow untitled(desktop.appWindows(), WindowStyle{});

    EXPECT_TRUE(overlay({&plain}));
    ASSERT_EQ(shownBars().size(), 1);
    EXPECT_EQ(shownBars().front()->geometry(), QRect(600, 372, 400, 28));
    EXPECT_TRUE(shownBars().front()->mask().isEmpty());
    EXPECT_FALSE(overlay({&plain})) << "nothing new to stack";

    EXPECT_TRUE(overlay({&fullSize}));
    ASSERT_EQ(shownBars().size(), 1);
    QWindow *buttons = shownBars().front();
    EXPECT_EQ(buttons->geometry().topLeft(), real(QPointF(100, 100)));
    EXPECT_EQ(buttons->height(), 28);
    // From the leading edge to just past the third button.
    const QList<TitleBar::ButtonPlace> places = TitleBar::buttons(fullSize.record().style);
    ASSERT_EQ(places.size(), 3);
    EXPECT_GT(buttons->width(), places.back().rect.right());
    EXPECT_LT(buttons->width(), places.back().rect.right() + 8);
    for (const TitleBar::ButtonPlace &place : places) {
        EXPECT_TRUE(buttons->mask().contains(place.rect.center().toPoint()));
    }
    EXPECT_FALSE(buttons->mask().contains(QPoint(2, 2)));
    EXPECT_FALSE(buttons->mask().contains(
        ((places[0].rect.center() + places[1].rect.center()) / 2 + QPointF(0, 6)).toPoint()));

    EXPECT_FALSE(overlay({&untitled}));
    EXPECT_TRUE(shownBars().isEmpty());
}

// The title bar's presses, drags and releases are the simulated mouse's at the same place of the
// Mac: the window server works the buttons and moves the window.
TEST_F(OverlaidTitleBarsTest, TheTitleBarIsWorkedByTheSimulatedMouse) {
    OverlaidWindow window(desktop.appWindows(), titled());
    window.adopted->makeKeyAndOrderFront();
    overlay({&window});
    ASSERT_EQ(shownBars().size(), 1);
    QWindow *bar = shownBars().front();

    drag(bar, real(QPointF(300, 86)), real(QPointF(350, 126)));
    EXPECT_EQ(window.record().frame.topLeft(), QPointF(150, 140));
    EXPECT_TRUE(window.content.heard.isEmpty());

    const QList<TitleBar::ButtonPlace> places = TitleBar::buttons(window.record().style);
    QTest::mouseClick(bar, Qt::LeftButton, {}, places[1].rect.center().toPoint());
    EXPECT_TRUE(window.record().miniaturized);
}

// Presses on the window itself: the top of content that reaches under a transparent title bar,
// and a background nothing takes, go to the simulated mouse with their drag and release (the
// window moves); a press a control takes stays the window's own, as does everything after it. A
// press on a window without the keyboard gives it the keyboard.
TEST_F(OverlaidTitleBarsTest, PressesTheWindowServerMustSeeGoToTheSimulatedMouse) {
    OverlaidWindow window(desktop.appWindows(), titled(true));
    OverlaidWindow other(desktop.appWindows(), titled());
    other.adopted->setFrameTopLeftPoint(QPointF(600, 500));
    other.adopted->makeKeyAndOrderFront();
    overlay({&window, &other});
    ASSERT_FALSE(window.record().key);

    const struct {
        const char *name;
        QPoint from;
        QPoint to;
        QPointF topLeft;
        // What the content heard.
        QList<QEvent::Type> heard;
    } cases[] = {
        {"on a control",
         QPoint(100, 200),
         QPoint(120, 220),
         QPointF(100, 100),
         {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseMove,
          QEvent::MouseButtonRelease}},
        {"under the title bar", QPoint(300, 10), QPoint(330, 30), QPointF(130, 120), {}},
        {"on the background",
         QPoint(300, 200),
         QPoint(280, 210),
         QPointF(110, 130),
         {QEvent::MouseButtonPress}},
    };
    for (const auto &each : cases) {
        SCOPED_TRACE(each.name);
        window.content.heard.clear();
        const QPoint content = real(window.record().frame.topLeft());
        drag(&window.content, content + each.from, content + each.to);
        EXPECT_TRUE(window.record().key);
        EXPECT_EQ(window.record().frame.topLeft(), each.topLeft);
        QList<QEvent::Type> heard;
        for (const auto &[type, at] : window.content.heard) {
            heard.append(type);
        }
        EXPECT_EQ(heard, each.heard);
    }
    // The window server saw the last release too: its press is over, and the simulated mouse
    // dragging on leaves the window where it is.
    desktop.userInput().mouseDragged(QPointF(700, 700));
    EXPECT_EQ(window.record().frame.topLeft(), QPointF(110, 130));

    // The background of a window that does not move by it is the content's alone.
    other.content.heard.clear();
    const QPoint background = real(other.record().frame.topLeft()) + QPoint(300, 200);
    drag(&other.content, background, background + QPoint(20, 20));
    EXPECT_EQ(other.record().frame.topLeft(), QPointF(600, 500));
    EXPECT_EQ(other.content.heard.size(), 4);
}

// The title bars are drawn as the window server draws them, in the appearance asked for, and
// again when it changes.
TEST_F(OverlaidTitleBarsTest, TheTitleBarIsDrawnInTheAppearance) {
    OverlaidWindow window(desktop.appWindows(), titled());
    window.adopted->makeKeyAndOrderFront();
    // Whether the title bar shows `colour` at `at` once it has drawn.
    const auto draws = [&](QPoint at, const QColor &colour) {
        QWindow *bar = shownBars().value(0);
        return bar && QTest::qWaitForWindowExposed(bar) && QTest::qWaitFor([&] {
                   return bar->screen()->grabWindow(bar->winId()).toImage().pixelColor(at) ==
                          colour;
               });
    };
    const QPoint close = TitleBar::buttons(window.record().style).front().rect.center().toPoint();

    overlay({&window});
    EXPECT_TRUE(draws(QPoint(300, 8), QColor(0xeb, 0xea, 0xeb)));
    EXPECT_TRUE(draws(close, QColor(0xff, 0x5f, 0x57)));
    overlay({&window}, true);
    EXPECT_TRUE(draws(QPoint(300, 8), QColor(0x38, 0x38, 0x3a)));

    // Without the keyboard its buttons are grey, until it takes the keyboard again.
    window.server().resignKey();
    bars.repaint();
    EXPECT_TRUE(draws(close, QColor(0x5a, 0x5a, 0x5c)));
    window.adopted->makeKeyAndOrderFront();
    bars.repaint();
    EXPECT_TRUE(draws(close, QColor(0xff, 0x5f, 0x57)));
}

} // namespace
} // namespace zorv
