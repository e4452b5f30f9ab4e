#include "bannerpainter.h"
#include "desktopapp.h"
#include "desktopsnapshot.h"
#include "itemtree.h"
#include "macscreenview.h"
#include "manualclock.h"
#include "notificationbanner.h"
#include "scenario/scenarioloader.h"
#include "scenariomac.h"
#include "simulatedplatform.h"
#include "workerclockdriver.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickView>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

void collectViews(QQuickItem *item, QList<MacScreenView *> &views) {
    if (auto *view = qobject_cast<MacScreenView *>(item)) {
        views.append(view);
    }
    for (QQuickItem *child : item->childItems()) {
        collectViews(child, views);
    }
}

int countPixels(const QImage &image, const QColor &color, QRect area, int tolerance = 2) {
    area &= image.rect();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += qAbs(pixel.red() - color.red()) <= tolerance &&
                     qAbs(pixel.green() - color.green()) <= tolerance &&
                     qAbs(pixel.blue() - color.blue()) <= tolerance;
        }
    }
    return count;
}

// A plain window of one colour, as Zorv's windows are to the screen that shows them.
struct ColouredWindow {
    ColouredWindow(SimAppWindows &windows, const QColor &color, QSizeF size) {
        view.setColor(color);
        view.resize(size.toSize());
        adopted = windows.adopt(view);
        adopted->setContentSize(size);
    }

    [[nodiscard]] SimAppWindow &sim() { return static_cast<SimAppWindow &>(*adopted); }

    QQuickView view;
    std::unique_ptr<AppWindow> adopted;
};

// Zorv on a shipped scenario, its start-up done, with its desktop window offscreen.
struct DesktopOnScreen {
    explicit DesktopOnScreen(const QString &scenario, bool dark = false,
                             const SimOptions &options = {})
        : platform(clock, ScenarioLoader::load(scenario), false), app(platform, options) {
        markWelcomeTourDone();
        EXPECT_TRUE(app.start());
        platform.desktop().appearance().setDark(dark);
        WorkerClockDriver(clock).drain();
    }

    [[nodiscard]] MacScreenView *view(DisplayId displayId) const {
        QList<MacScreenView *> views;
        collectViews(app.window()->contentItem(), views);
        for (MacScreenView *view : views) {
            if (DisplayId(view->displayId()) == displayId) {
                return view;
            }
        }
        return nullptr;
    }

    // Where a global point is drawn in the desktop window.
    [[nodiscard]] QPointF inWindow(QPointF global) {
        const DisplayId active = platform.desktop().readout().bar().front().displayId;
        const MacScreenView *screen = view(active);
        return screen->mapToScene(screen->mapping().toView(global));
    }

    [[nodiscard]] BarEntry zorvIcon() {
        for (const BarEntry &entry : platform.desktop().readout().bar()) {
            if (entry.autosaveName == BarItems::zorvIconName) {
                return entry;
            }
        }
        ADD_FAILURE() << "no icon";
        return {};
    }

    ManualClock clock;
    SimulatedPlatform platform;
    // Goes right after the app: a scan it left waiting on a hung application's answer gets that
    // answer, on the platform still there, and ends instead of being left suspended.
    struct LateWorkLanding {
        ManualClock &clock;
        ~LateWorkLanding() { WorkerClockDriver(clock).run(std::chrono::seconds(10)); }
    } lateWorkLanding{clock};
    DesktopApp app;
};

struct Look {
    const char *scenario;
    bool dark;
};

class MacScreenRenderingTest : public ::testing::TestWithParam<Look> {};

// Each scenario's screens in both appearances, with two of Zorv's windows on the active one: a
// panel centred on it and, in front of it, a pop-up just below Zorv's icon. The pictures are kept
// in the build folder (tests/app/screenshots/screen-*.png, "-2x" when drawn at twice the size)
// for people to look at.
TEST_P(MacScreenRenderingTest, DrawsTheScreensWithZorvsWindows) {
    DesktopOnScreen desktop(QString::fromLatin1(GetParam().scenario), GetParam().dark);
    const QColor panelColor(u"#e0484b"_s);
    const QColor popUpColor(u"#2f9e44"_s);
    SimAppWindows &windows = desktop.platform.desktop().appWindows();
    ColouredWindow panel(windows, panelColor, QSizeF(420, 300));
    panel.adopted->center();
    panel.adopted->makeKeyAndOrderFront();
    ColouredWindow popUp(windows, popUpColor, QSizeF(240, 320));
    // On a crowded bar Zorv's icon may be out of sight: then under the rightmost item in view.
    BarEntry icon = desktop.zorvIcon();
    if (!icon.visible) {
        for (const BarEntry &entry : desktop.platform.desktop().readout().bar()) {
            if (entry.visible && !entry.immovable) {
                icon = entry;
            }
        }
    }
    popUp.sim().userMoves({icon.frame.left(), icon.frame.bottom() + 1});
    popUp.adopted->makeKeyAndOrderFront();

    const QImage picture = desktop.app.screenPicture();
    const double ratio = picture.devicePixelRatio();
    const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString name = u"screen-%1-%2%3.png"_s.arg(QString::fromLatin1(GetParam().scenario),
                                                     GetParam().dark ? u"dark"_s : u"light"_s,
                                                     ratio > 1 ? u"-%1x"_s.arg(ratio) : QString());
    EXPECT_TRUE(picture.save(folder + u'/' + name));

    const auto pixels = [&](const QRectF &scene) {
        return QRectF(scene.topLeft() * ratio, scene.size() * ratio).toAlignedRect();
    };
    const auto at = [&](QPointF global) {
        return picture.pixelColor((desktop.inWindow(global) * ratio).toPoint());
    };
    // The panel in the middle of the screen's area below the bar, the pop-up in front of it and
    // of the bar's lower edge.
    const MacScreenView *screen = desktop.view(icon.displayId);
    ASSERT_TRUE(screen);
    const QRectF frame = screen->frame();
    EXPECT_EQ(at(panel.sim().record().frame.center()), panelColor);
    EXPECT_EQ(at(popUp.sim().record().frame.center()), popUpColor);
    EXPECT_EQ(at(QPointF(icon.frame.left() + 2, icon.frame.bottom() + 4)), popUpColor);
    EXPECT_NE(at(QPointF(icon.frame.left() - 4, icon.frame.bottom() + 4)), popUpColor);

    // The bar in the appearance's colour, with the text and monochrome glyphs in its text colour.
    const MacScreenScene &scene = screen->scene().value<MacScreenScene>();
    const double barHeight = scene.display.barHeight * screen->zoom();
    const QRect bar = pixels(screen->mapRectToScene(QRectF(0, 0, screen->width(), barHeight)));
    EXPECT_GT(countPixels(picture, scene.barColor(), bar), bar.width() * bar.height() / 2);
    EXPECT_GT(countPixels(picture, scene.barTextColor(), bar, 40), 50);
    EXPECT_EQ(scene.barColor(), GetParam().dark ? QColor(38, 38, 40) : QColor(236, 236, 236));
    if (scene.display.housing) {
        const QRect housing =
            pixels(
                screen->mapRectToScene(QRectF(
                    scene.display.housing->first * screen->zoom(), 0,
                    (scene.display.housing->second - scene.display.housing->first) * screen->zoom(),
                    barHeight * 0.6)))
                .adjusted(1, 0, -1, 0);
        EXPECT_EQ(countPixels(picture, Qt::black, housing, 0), housing.width() * housing.height());
    }
    EXPECT_EQ(frame.size(), scene.display.size);
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, MacScreenRenderingTest,
    ::testing::Values(Look{"laptop", false}, Look{"laptop", true}, Look{"dual-displays", false},
                      Look{"dual-displays", true}, Look{"crowded-bar", false},
                      Look{"crowded-bar", true}),
    [](const ::testing::TestParamInfo<Look> &info) {
        return QString::fromLatin1(info.param.scenario).remove(u'-').toStdString() +
               (info.param.dark ? "Dark" : "Light");
    });

// The windows drawn are those shown, back to front in the order they were last ordered front, on
// the screen holding them; each change is announced, and offscreen the Qt window follows its
// record so that it can be grabbed.
TEST(ScreenWindowsTest, ListsTheShownWindowsBackToFront) {
    DesktopOnScreen desktop(u"laptop"_s);
    SimAppWindows &windows = desktop.platform.desktop().appWindows();
    ColouredWindow first(windows, Qt::red, QSizeF(200, 100));
    ColouredWindow second(windows, Qt::green, QSizeF(200, 100));
    ColouredWindow third(windows, Qt::blue, QSizeF(200, 100));
    ColouredWindow away(windows, Qt::yellow, QSizeF(200, 100));
    QSignalSpy changed(&desktop.app.screenWindows(), &ScreenWindows::changed);
    second.adopted->makeKeyAndOrderFront();
    first.adopted->makeKeyAndOrderFront();
    third.adopted->makeKeyAndOrderFront();
    third.sim().userCloses();
    away.sim().userMoves({-5000, 0});
    away.adopted->makeKeyAndOrderFront();
    // Closing the key window also hands the keyboard to `first`.
    EXPECT_EQ(changed.size(), 7);
    EXPECT_TRUE(first.view.isVisible());
    EXPECT_FALSE(third.view.isVisible());

    QList<QWindow *> drawn;
    for (const ScreenWindows::Placed &placed : desktop.app.screenWindows().placed()) {
        drawn.append(placed.window);
    }
    EXPECT_EQ(drawn, (QList<QWindow *>{&second.view, &first.view}));

    first.sim().userMoves({100, 300});
    const MacScreenView *screen = desktop.view(1);
    const ScreenWindows::Placed top = desktop.app.screenWindows().placed().last();
    EXPECT_EQ(top.sceneRect,
              screen->mapRectToScene(screen->mapping().toView(QRectF(100, 300, 200, 100))));
    EXPECT_TRUE(top.visibleRect.contains(top.sceneRect));
}

// A window with a clear background (the menu-bar tint, a floating bar) shows what lies under it,
// with no window shadow or frame of its own.
TEST(ScreenWindowsTest, ClearWindowsShowWhatLiesUnderThem) {
    DesktopOnScreen desktop(u"laptop"_s);
    SimAppWindows &windows = desktop.platform.desktop().appWindows();
    const QColor panelColor(u"#e0484b"_s);
    ColouredWindow panel(windows, panelColor, QSizeF(420, 300));
    panel.adopted->center();
    panel.adopted->makeKeyAndOrderFront();
    ColouredWindow clear(windows, Qt::transparent, QSizeF(200, 100));
    clear.adopted->center();
    clear.adopted->makeKeyAndOrderFront();

    const QImage picture = desktop.app.screenPicture();
    const qreal ratio = picture.devicePixelRatio();
    const QRectF frame = clear.sim().record().frame;
    for (const QPointF point : {frame.center(), QPointF(frame.left() + 0.5, frame.center().y()),
                                QPointF(frame.center().x(), frame.top() + 0.5)}) {
        EXPECT_EQ(picture.pixelColor((desktop.inWindow(point) * ratio).toPoint()).name(),
                  panelColor.name())
            << point.x() << "," << point.y();
    }
}

// The person's hands on the drawn screen are the simulated Mac's: the pointer moves its mouse, a
// click on Zorv's icon is a click on the simulated bar with the button and modifiers held, a
// click on the menus reaches no item, and keys typed are its keyboard's, modifier keys alone too.
TEST(MacScreenInputTest, HandsMouseAndKeysToTheSimulatedMac) {
    DesktopOnScreen desktop(u"laptop"_s);
    QQuickWindow *window = desktop.app.window();
    window->requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    DesktopReadout &readout = desktop.platform.desktop().readout();
    const BarEntry icon = desktop.zorvIcon();
    const QPoint onIcon = desktop.inWindow(icon.frame.center()).toPoint();

    QTest::mouseMove(window, onIcon);
    const MacScreenView *screen = desktop.view(icon.displayId);
    EXPECT_LE(QLineF(readout.cursor().location, icon.frame.center()).length(),
              1.0 / screen->zoom());

    const qsizetype clicksBefore = readout.clicks().size();
    QTest::mouseClick(window, Qt::RightButton, Qt::AltModifier, onIcon);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, onIcon);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier,
                      desktop.inWindow(QPointF(100, 12)).toPoint());
    const QList<DeliveredClick> clicks = readout.clicks().mid(clicksBefore);
    ASSERT_EQ(clicks.size(), 2);
    EXPECT_EQ(clicks[0].itemId, icon.itemId);
    EXPECT_EQ(clicks[0].button, MouseButton::Right);
    EXPECT_EQ(clicks[0].modifierFlags, EventFlags::option);
    EXPECT_EQ(clicks[0].kind, ItemClickKind::Right);
    EXPECT_EQ(clicks[0].origin, EventOrigin::User);
    EXPECT_EQ(clicks[1].itemId, icon.itemId);
    EXPECT_EQ(clicks[1].kind, ItemClickKind::Left);

    // The left click opened Zorv's status menu; closing it gives the keyboard back to the screen.
    desktop.platform.desktop().menus().userDismisses();
    window->requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    const qsizetype eventsBefore = readout.events().size();
    QTest::keyPress(window, Qt::Key_Alt);
    QTest::keyRelease(window, Qt::Key_Alt);
    // Command (Qt's Control key, as on a Mac) goes down, then A, then both come up.
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    QList<std::tuple<EventType, quint16, quint64>> keys;
    for (const LoggedEvent &event : readout.events().mid(eventsBefore)) {
        if (event.type == EventType::KeyDown || event.type == EventType::KeyUp) {
            keys.append({event.type, event.keyCode, event.flags});
        }
    }
    EXPECT_EQ(keys, (QList<std::tuple<EventType, quint16, quint64>>{
                        {EventType::KeyDown, 58, EventFlags::option},
                        {EventType::KeyUp, 58, EventFlags::none},
                        {EventType::KeyDown, 55, EventFlags::command},
                        {EventType::KeyDown, 0, EventFlags::command},
                        {EventType::KeyUp, 0, EventFlags::command},
                        {EventType::KeyUp, 55, EventFlags::none},
                    }));
}

// The side panel with the engine's diagnostics hides; the screens take the room, and the keyboard
// stays with them.
TEST(MacScreenInputTest, HidesTheDiagnostics) {
    DesktopOnScreen desktop(u"laptop"_s);
    QQuickWindow *window = desktop.app.window();
    window->requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QQuickItem *button = findItem(window->contentItem(), u"diagnosticsButton"_s);
    QQuickItem *panel = findItem(window->contentItem(), u"diagnosticsPanel"_s);
    ASSERT_TRUE(button && panel);
    const MacScreenView *screen = desktop.view(1);
    const double zoom = screen->zoom();
    EXPECT_TRUE(panel->isVisible());
    QTest::mouseClick(window, Qt::LeftButton, {},
                      button->mapToScene(button->boundingRect().center()).toPoint());
    EXPECT_FALSE(panel->isVisible());
    // The button takes no focus: keys stay with the screen.
    EXPECT_TRUE(screen->hasActiveFocus());
    // Layouts settle when the window is next drawn.
    (void)desktop.app.screenPicture();
    EXPECT_GT(screen->zoom(), zoom);
}

// Displays unplugged and plugged in again, as the scenario does: the desktop window draws the
// screens the system has, in its order, and the screens that stay keep their drawing.
TEST(MacScreenInputTest, DrawsTheDisplaysPluggedInAndOutAndKeepsTheOthers) {
    DesktopOnScreen desktop(u"dual-displays"_s);
    const QPointer<MacScreenView> primary = desktop.view(1);
    ASSERT_TRUE(primary);
    const struct {
        int at;
        qsizetype displays;
    } steps[] = {{0, 2}, {600, 1}, {900, 2}, {1500, 3}};
    int now = 0;
    for (const auto &step : steps) {
        WorkerClockDriver(desktop.clock).run(std::chrono::seconds(step.at + 1 - now));
        now = step.at + 1;
        (void)desktop.app.screenPicture();
        QList<DisplayId> system;
        for (const ScreenSnapshot &screen :
             DesktopSnapshot::take(desktop.platform.desktop()).screens) {
            system.append(screen.screen.displayId);
        }
        QList<MacScreenView *> views;
        collectViews(desktop.app.window()->contentItem(), views);
        std::ranges::sort(views, {}, [](const MacScreenView *view) { return view->y(); });
        QList<DisplayId> drawn;
        for (const MacScreenView *view : views) {
            drawn.append(DisplayId(view->displayId()));
        }
        EXPECT_EQ(system.size(), step.displays) << "at " << step.at << " s";
        EXPECT_EQ(drawn, system) << "at " << step.at << " s";
        EXPECT_EQ(desktop.view(1), primary.data()) << "at " << step.at << " s";
    }
}

// What the screenshots save: every display where the arrangement puts it, shrunk to fit where the
// arrangement is wider than the picture may be, even when the desktop window scrolls one of them
// out of sight; a window covering the bar (as the tint does) leaves the camera housing black,
// here and in the window's own picture.
struct Arrangement {
    const char *scenario;
    double scale;
};

class SavedPictureTest : public ::testing::TestWithParam<Arrangement> {};

TEST_P(SavedPictureTest, ShowsEveryDisplayAsArrangedWithTheHousingInFront) {
    DesktopOnScreen desktop(QString::fromLatin1(GetParam().scenario));
    QList<MacScreenView *> views;
    collectViews(desktop.app.window()->contentItem(), views);
    ASSERT_FALSE(views.isEmpty());
    QRectF arranged;
    for (const MacScreenView *view : views) {
        arranged |= view->frame();
    }
    // A red window over the whole bar of the first display, housing included.
    const QColor cover(u"#e0484b"_s);
    const QRectF first = views.front()->frame();
    ColouredWindow tint(desktop.platform.desktop().appWindows(), cover, QSizeF(first.width(), 30));
    tint.sim().userMoves(first.topLeft());
    tint.adopted->orderFrontRegardless();

    const QImage picture = desktop.app.savedPicture();
    const double ratio = picture.devicePixelRatio();
    const double scale = GetParam().scale;
    EXPECT_EQ(picture.size(), (arranged.size() * scale * ratio).toSize());
    const auto pixels = [&](const QRectF &global) {
        return QRectF((global.topLeft() - arranged.topLeft()) * scale * ratio,
                      global.size() * scale * ratio)
            .toAlignedRect();
    };
    for (const MacScreenView *view : views) {
        const MacScreenScene &scene = view->scene().value<MacScreenScene>();
        const QRectF frame = view->frame();
        // The other displays' bars, which the tint window leaves, in the bar's colour.
        const QRect bar = pixels(QRectF(frame.topLeft(), QSizeF(frame.width(), 20)));
        if (view != views.front()) {
            EXPECT_GT(countPixels(picture, scene.barColor(), bar), bar.width() * bar.height() / 3)
                << view->displayId();
        }
        if (scene.display.housing) {
            const QRectF housing(frame.x() + scene.display.housing->first + 4, frame.y(),
                                 scene.display.housing->second - scene.display.housing->first - 8,
                                 scene.display.barHeight * 0.6);
            const QRect inSaved = pixels(housing);
            EXPECT_EQ(countPixels(picture, Qt::black, inSaved, 0),
                      inSaved.width() * inSaved.height());
            const QImage window = desktop.app.screenPicture();
            const QRect inWindow =
                QRectF(view->mapRectToScene(view->mapping().toView(housing)).topLeft() * ratio,
                       housing.size() * view->zoom() * ratio)
                    .toAlignedRect()
                    .adjusted(1, 1, -1, -1);
            EXPECT_EQ(countPixels(window, Qt::black, inWindow, 0),
                      inWindow.width() * inWindow.height());
        }
    }
    // The tint window is drawn beside the housing.
    EXPECT_GT(countPixels(picture, cover, pixels(QRectF(first.x() + 2, first.y() + 2, 40, 20))), 0);
    picture.save(QCoreApplication::applicationDirPath() + u"/screenshots/saved-"_s +
                 QString::fromLatin1(GetParam().scenario) +
                 (ratio > 1 ? u"-%1x.png"_s.arg(ratio) : u".png"_s));
}

// A notification's banner is in the pictures the run saves while it shows, over the windows at the
// active screen's top right, and gone from those saved after its time.
TEST(SavedPictureBannerTest, ShowsTheBannerForItsTime) {
    const QTemporaryDir shots;
    SimOptions options;
    options.screenshotFolder = shots.path();
    DesktopOnScreen desktop(u"laptop"_s, false, options);
    // The last picture saved.
    const auto lastSaved = [&] {
        const QStringList names =
            QDir(shots.path()).entryList({u"layout-*.png"_s}, QDir::Files, QDir::Name);
        return names.isEmpty() ? QImage() : QImage(shots.filePath(names.last()));
    };
    MacScreenView *screen =
        desktop.view(desktop.platform.desktop().readout().bar().front().displayId);
    ASSERT_TRUE(screen);
    QList<MacScreenView *> views;
    collectViews(desktop.app.window()->contentItem(), views);
    QRectF arranged;
    for (const MacScreenView *view : views) {
        arranged |= view->frame();
    }
    // A red window where the banner comes, which it covers.
    const QColor cover(u"#e0484b"_s);
    const QRectF frame = screen->frame();
    ColouredWindow window(desktop.platform.desktop().appWindows(), cover, QSizeF(440, 260));
    window.sim().userMoves(QPointF(frame.right() - 440, frame.top() + 40));
    window.adopted->orderFrontRegardless();

    SimUserNotifications &center = desktop.platform.desktop().notifications();
    center.setAuthorization(NotificationAuthorization::Authorized);
    const QString body = u"Revealed the hidden items: on battery."_s;
    center.add({u"rule"_s, u"Zorv"_s, body});
    desktop.clock.settle();

    const QRectF banner = BannerPainter::frame(frame.size(), body).translated(frame.topLeft());
    EXPECT_EQ(banner.right(), frame.right() - 12);
    const auto inPicture = [&](const QImage &picture, const QRectF &global) {
        const double ratio = picture.devicePixelRatio();
        return QRectF((global.topLeft() - arranged.topLeft()) * ratio, global.size() * ratio)
            .toAlignedRect();
    };
    // Inside the banner, clear of its text and its rounded corners; and the window beside it.
    const QRectF plain(banner.left() + 200, banner.top() + 2, 120, 6);
    const QRectF beside(banner.left() - 30, banner.top() + 10, 20, 20);
    const QColor light(0xf6, 0xf6, 0xf6);

    const QImage shown = lastSaved();
    ASSERT_FALSE(shown.isNull());
    QRect area = inPicture(shown, plain);
    EXPECT_GT(countPixels(shown, light, area, 12), area.width() * area.height() * 9 / 10);
    EXPECT_EQ(countPixels(shown, cover, area), 0);
    const QRect besideArea = inPicture(shown, beside);
    EXPECT_EQ(countPixels(shown, cover, besideArea), besideArea.width() * besideArea.height());
    const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    QDir().mkpath(folder);
    shown.save(folder + u"/saved-banner.png"_s);

    desktop.clock.advance(seconds(NotificationBanner::bannerSeconds));
    desktop.clock.settle();
    const QImage gone = lastSaved();
    area = inPicture(gone, plain);
    EXPECT_EQ(countPixels(gone, cover, area), area.width() * area.height());
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, SavedPictureTest,
    ::testing::Values(Arrangement{"laptop", 1.0},
                      // 2560 + 7680 points across: shrunk to 3840.
                      Arrangement{"dual-displays", 3840.0 / 10240}),
    [](const auto &info) {
        return QString::fromLatin1(info.param.scenario).remove(u'-').toStdString();
    });

} // namespace
} // namespace zorv
