#include "appinput.h"
#include "loopbackhttpserver.h"
#include "onboardingcontroller.h"
#include "reportmodel.h"
#include "scenariomac.h"
#include "search/searchpanelcontroller.h"
#include "settingswindowcontroller.h"
#include "welcomewindowmodel.h"
#include "wholeapptest.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QNetworkProxy>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScopeGuard>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr quint16 fKey = 3;
constexpr quint16 commaKey = 43;
constexpr quint16 wKey = 13;

// Zorv on the laptop with every item in reach, with the settings it is launched with, driven
// only through the simulated Mac's mouse and keyboard.
class WindowInputTest : public WholeAppTest {
protected:
    WindowInputTest() : WholeAppTest(reachableLaptop({})) {}

    // The middle of the row titled `title` of the open status menu.
    [[nodiscard]] QPointF menuRow(const QString &title) {
        const std::optional<QPointF> row = statusMenuRowCentre(mac().menus(), title);
        if (!row) {
            ADD_FAILURE() << "no row " << title.toStdString();
        }
        return row.value_or(QPointF());
    }

    // Keeps the part of the screen's picture around `scene` in the build folder for people to
    // look at ("@2x" when drawn at twice the size).
    static void savePicture(const QString &name, const QImage &whole, const QRectF &scene) {
        const double ratio = whole.devicePixelRatio();
        const QRectF around = scene.adjusted(-16, -16, 16, 16);
        const QImage picture =
            whole.copy(QRectF(around.topLeft() * ratio, around.size() * ratio).toAlignedRect());
        const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
        ASSERT_TRUE(QDir().mkpath(folder));
        EXPECT_TRUE(
            picture.save(folder + u'/' + name + (ratio > 1 ? u"@2x"_s : QString()) + u".png"_s));
    }
};

// Option-Command-F opens the search panel; part of a hidden item's name typed into its field
// and Return reveal that item and click it.
TEST_F(WindowInputTest, TheSearchShortcutTypingAndReturnOpenAHiddenItem) {
    launch(tourDoneSettings);
    const QList<MenuBarItem> hidden = app.model()->itemsIn(Section::hidden);
    ASSERT_FALSE(hidden.isEmpty());
    const MenuBarItem wanted = hidden.first();
    ASSERT_FALSE(wanted.appName.isEmpty());

    ASSERT_NE(frontApplication(), u"Zorv"_s);
    press(fKey, EventFlags::command | EventFlags::option);
    ASSERT_NE(app.searchPanel(), nullptr);
    ASSERT_TRUE(app.searchPanel()->isVisible());
    EXPECT_EQ(frontApplication(), u"Zorv"_s) << "the panel takes the keyboard";
    const QString part = wanted.appName.left(4);
    ASSERT_TRUE(mac().userInput().type(part));
    drain();
    auto *field = findIn(app.searchPanel()->panel()->window().contentItem(), u"query"_s);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->property("text").toString(), part);
    savePicture(u"search-panel"_s, app.screenPicture(),
                app.screenWindows().placed().last().outerSceneRect);

    const qsizetype before = mac().readout().clicks().size();
    press(KeyCode::returnKey);
    run(5);
    EXPECT_FALSE(app.searchPanel()->isVisible());
    const QList<DeliveredClick> clicks = mac().readout().clicks();
    ASSERT_GT(clicks.size(), before) << "the item was clicked";
    const auto entry = mac().readout().entry(clicks.last().itemId);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->applicationName.value_or(QString()), wanted.appName);
}

// The secondary bar opens under the icon; a tap on an item closes it and clicks that item, and
// a second click on the icon while it is open closes it for good.
TEST_F(WindowInputTest, TheSecondaryBarTakesATapAndASecondIconClickClosesIt) {
    launch(tourDoneSettings);
    app.model()->setSecondaryBarEnabled(true);
    const auto strip = [&] { return shownWindowWith(u"strip"_s); };
    const QString front = frontApplication();
    ASSERT_NE(front, u"Zorv"_s);
    clickIcon(MouseButton::Right);
    ASSERT_NE(strip(), nullptr);
    EXPECT_EQ(frontApplication(), front) << "the strip leaves the active application in front";
    clickIcon(MouseButton::Right);
    run(2);
    EXPECT_EQ(strip(), nullptr) << "the second click closes the strip and it stays closed";

    clickIcon(MouseButton::Right);
    ASSERT_NE(strip(), nullptr);
    const auto first = pointOf(strip(), u"item-0"_s);
    ASSERT_TRUE(first.has_value());
    const qsizetype before = mac().readout().clicks().size();
    click(*first);
    run(5);
    EXPECT_EQ(strip(), nullptr);
    EXPECT_GT(mac().readout().clicks().size(), before) << "the tapped item was clicked";
    EXPECT_NE(frontApplication(), u"Zorv"_s);
}

// Quitting from the status menu while the report is being sent leaves it on the simulated
// Desktop, as a failed send does: no answer comes back to a program that has quit.
TEST_F(WindowInputTest, AReportBeingSentWhenZorvQuitsIsLeftOnTheDesktop) {
    launch(tourDoneSettings);
    clickIcon();
    click(menuRow(u"Report a Problem…"_s));
    ASSERT_TRUE(mac().userInput().type(u"Two icons stayed hidden."_s));
    drain();
    // Every request goes through a proxy that never answers while the test runs.
    LoopbackHttpServer proxy;
    proxy.setBehaviour(LoopbackHttpServer::Behaviour::Hold);
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, u"127.0.0.1"_s, quint16(proxy.url({}).port())));
    const auto direct = qScopeGuard([] { QNetworkProxy::setApplicationProxy(QNetworkProxy()); });
    clickControl(app.reports().window(), u"reportSend"_s);
    ASSERT_TRUE(proxy.waitForRequests(1));

    clickIcon();
    click(menuRow(u"Quit Zorv"_s));
    const QString desktop = platform.fileSystem().hostPath(platform.fileSystem().desktopFolder());
    EXPECT_EQ(QDir(desktop).entryList({u"Zorv-report-*"_s}, QDir::Files).size(), 1);
}

// The welcome tour's pages are clicked through with the mouse, Back included, and Done on the
// last page finishes it.
TEST_F(WindowInputTest, TheWelcomeTourIsClickedThroughWithTheMouse) {
    launch(R"({"onboardingCompleted": false})");
    if (app.mover() && app.mover()->window()) {
        app.mover()->dismiss();
        drain();
    }
    ASSERT_NE(app.onboarding(), nullptr);
    QQuickWindow *window = app.onboarding()->window();
    WelcomeWindowModel &tour = *app.onboarding()->model();
    EXPECT_EQ(frontApplication(), u"Zorv"_s);
    ASSERT_EQ(tour.page(), 0);
    clickControl(window, u"primary"_s);
    EXPECT_EQ(tour.page(), 1);
    clickControl(window, u"back"_s);
    EXPECT_EQ(tour.page(), 0);
    clickControl(window, u"primary"_s);
    clickControl(window, u"primary"_s);
    EXPECT_EQ(tour.page(), 2);
    clickControl(window, u"done"_s);
    EXPECT_EQ(app.onboarding()->window(), nullptr);
    EXPECT_TRUE(app.model()->settings().onboardingCompleted);
}

// Settings opens from the status menu's row with Zorv in front; Command-W closes it, and so does
// its close button, and a drag on its title bar moves it. Escape closes it too. With Zorv still in
// front and no window left, Command-comma opens it again.
TEST_F(WindowInputTest, SettingsClosesWithCommandWTheCloseButtonAndEscape) {
    launch(tourDoneSettings);
    const auto openSettings = [&] {
        clickIcon();
        click(menuRow(u"Settings…"_s));
        ASSERT_NE(app.settingsWindow(), nullptr);
        ASSERT_TRUE(app.settingsWindow()->appWindow()->isVisible());
        ASSERT_TRUE(app.settingsWindow()->appWindow()->isKeyWindow());
        EXPECT_EQ(frontApplication(), u"Zorv"_s);
    };
    const auto server = [&] { return serverOf(app.settingsWindow()->window()); };

    press(commaKey, EventFlags::command);
    EXPECT_EQ(app.settingsWindow(), nullptr) << "Command-comma is the front application's";
    openSettings();
    press(wKey, EventFlags::command);
    EXPECT_FALSE(app.settingsWindow()->appWindow()->isVisible()) << "Command-W";
    EXPECT_EQ(frontApplication(), u"Zorv"_s) << "closing its last window leaves Zorv active";
    EXPECT_EQ(mac().appWindows().keyWindow(), nullptr);
    press(commaKey, EventFlags::command);
    EXPECT_TRUE(app.settingsWindow()->appWindow()->isVisible()) << "Command-comma";
    EXPECT_TRUE(app.settingsWindow()->appWindow()->isKeyWindow());
    press(wKey, EventFlags::command);

    openSettings();
    const QRectF frame = server()->record().frame;
    // The title bar lies over the top of the content, which reaches under it.
    const QPointF grab = frame.topLeft() + QPointF(300, TitleBar::height / 2);
    mac().userInput().mouseDown(grab);
    mac().userInput().mouseDragged(grab + QPointF(-20, 10));
    mac().userInput().mouseDragged(grab + QPointF(-40, 30));
    mac().userInput().mouseUp(grab + QPointF(-40, 30));
    drain();
    EXPECT_EQ(server()->record().frame, frame.translated(-40, 30)) << "moved by its title bar";

    const auto close = TitleBar::buttons(server()->record().style).value(0);
    ASSERT_TRUE(close.enabled);
    click(server()->record().frame.topLeft() + close.rect.center());
    EXPECT_FALSE(app.settingsWindow()->appWindow()->isVisible()) << "the close button";

    openSettings();
    press(KeyCode::escape);
    EXPECT_FALSE(app.settingsWindow()->appWindow()->isVisible()) << "Escape";
}

// The search panel opened over Settings takes the keyboard; when it goes (Escape or Command-W),
// Settings has it back, and one Command-W closes one window.
TEST_F(WindowInputTest, SettingsTakesTheKeyboardBackWhenTheSearchPanelGoes) {
    launch(tourDoneSettings);
    clickIcon();
    click(menuRow(u"Settings…"_s));
    ASSERT_NE(app.settingsWindow(), nullptr);
    AppWindow *settings = app.settingsWindow()->appWindow();
    press(fKey, EventFlags::command | EventFlags::option);
    ASSERT_TRUE(app.searchPanel()->isVisible());
    EXPECT_FALSE(settings->isKeyWindow());
    press(KeyCode::escape);
    EXPECT_FALSE(app.searchPanel()->isVisible());
    EXPECT_TRUE(settings->isKeyWindow());
    EXPECT_EQ(frontApplication(), u"Zorv"_s);

    // Command-W closes the panel alone, not Settings after it.
    press(fKey, EventFlags::command | EventFlags::option);
    ASSERT_TRUE(app.searchPanel()->isVisible());
    press(wKey, EventFlags::command);
    EXPECT_FALSE(app.searchPanel()->isVisible());
    EXPECT_TRUE(settings->isVisible());
    EXPECT_TRUE(settings->isKeyWindow());
    press(wKey, EventFlags::command);
    EXPECT_FALSE(settings->isVisible());
}

// "Report a Problem…" from the status menu brings the report window to the front with Zorv
// active; the report is typed on the keyboard, Send is clicked, and a send that fails leaves the
// report on the simulated Desktop. Command-W and the close button over the strip close the
// window, and a drag on its background moves it.
TEST_F(WindowInputTest, TheReportIsTypedSentAndClosedWithTheMouseAndKeyboard) {
    launch(tourDoneSettings);
    const auto openReport = [&] {
        clickIcon();
        click(menuRow(u"Report a Problem…"_s));
        ASSERT_NE(app.reports().appWindow(), nullptr);
        ASSERT_TRUE(app.reports().appWindow()->isVisible());
        ASSERT_TRUE(app.reports().appWindow()->isKeyWindow());
        EXPECT_EQ(frontApplication(), u"Zorv"_s);
        EXPECT_EQ(app.screenWindows().placed().last().window, app.reports().window());
    };
    const auto server = [&] { return serverOf(app.reports().window()); };

    openReport();
    const QString report = u"Two icons stayed hidden."_s;
    ASSERT_TRUE(mac().userInput().type(report));
    drain();
    EXPECT_EQ(app.reports().model()->text(), report);
    // Nothing answers at this address: the send fails whatever the network.
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, u"127.0.0.1"_s, 9));
    const QString desktop = platform.fileSystem().hostPath(platform.fileSystem().desktopFolder());
    ASSERT_FALSE(QDir(desktop).exists());
    clickControl(app.reports().window(), u"reportSend"_s);
    const bool ended = QTest::qWaitFor([&] {
        run(1);
        return !std::holds_alternative<ReportProblem::Sending>(app.reports().model()->phase());
    });
    QNetworkProxy::setApplicationProxy(QNetworkProxy());
    ASSERT_TRUE(ended);
    EXPECT_EQ(QDir(desktop).entryList({u"Zorv-report-*"_s}, QDir::Files).size(), 1);
    press(wKey, EventFlags::command);
    EXPECT_FALSE(app.reports().appWindow()->isVisible()) << "Command-W";
    EXPECT_EQ(frontApplication(), u"Zorv"_s);

    openReport();
    const QRectF frame = server()->record().frame;
    // The strip's top edge, left of its icon and text, is the window's background.
    const QPointF grab = frame.topLeft() + QPointF(frame.width() / 2, 4);
    mac().userInput().mouseDown(grab);
    mac().userInput().mouseDragged(grab + QPointF(30, 20));
    mac().userInput().mouseUp(grab + QPointF(30, 20));
    drain();
    EXPECT_EQ(server()->record().frame, frame.translated(30, 20)) << "moved by its background";
    const auto close = TitleBar::buttons(server()->record().style).value(0);
    ASSERT_TRUE(close.enabled);
    click(server()->record().frame.topLeft() + close.rect.center());
    EXPECT_FALSE(app.reports().appWindow()->isVisible()) << "the close button";
}

// The settings window as the pictures show it, title bar included, in both appearances (twice
// the size under QT_SCALE_FACTOR=2), kept in the build folder for people to look at.
TEST_F(WindowInputTest, SettingsIsDrawnWithItsTitleBar) {
    launch(tourDoneSettings);
    clickIcon();
    click(menuRow(u"Settings…"_s));
    ASSERT_NE(app.settingsWindow(), nullptr);
    // The first visit's guide card comes up over the pane; its Done button takes it away.
    run(1);
    QQuickWindow *window = app.settingsWindow()->window();
    ASSERT_TRUE(window->property("guideShown").toBool());
    clickControl(window, u"guideDone"_s);
    EXPECT_FALSE(window->property("guideShown").toBool());
    for (const bool dark : {false, true}) {
        mac().appearance().setDark(dark);
        run(1);
        const QList<ScreenWindows::Placed> placed = app.screenWindows().placed();
        ASSERT_FALSE(placed.isEmpty());
        const QImage whole = app.screenPicture();
        const double ratio = whole.devicePixelRatio();
        savePicture(u"settings-window-"_s + (dark ? u"dark"_s : u"light"_s), whole,
                    placed.last().outerSceneRect);

        // The close button's red where the window server puts it.
        const SimAppWindow *server = serverOf(app.settingsWindow()->window());
        const auto close = TitleBar::buttons(server->record().style).value(0);
        const QPointF centre = placed.last().outerSceneRect.topLeft() + close.rect.center();
        const QColor red = whole.pixelColor((centre * ratio).toPoint());
        EXPECT_GT(red.red(), 200);
        EXPECT_LT(red.green(), 140);
    }
}

} // namespace
} // namespace zorv
