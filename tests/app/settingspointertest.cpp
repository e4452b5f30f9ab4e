#include "appinput.h"
#include "scenariomac.h"
#include "settingswindowcontroller.h"
#include "storage/zorvpaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr quint16 pageUpKey = 116;
constexpr quint16 pageDownKey = 121;

QRectF sceneRect(const QQuickItem &item) {
    return item.mapRectToScene(QRectF(0, 0, item.width(), item.height()));
}

// The home folder the file panels start in, for the length of a test.
class TemporaryHome {
public:
    TemporaryHome() : m_saved(qgetenv("HOME")) { qputenv("HOME", m_folder.path().toUtf8()); }
    ~TemporaryHome() { qputenv("HOME", m_saved); }
    TemporaryHome(const TemporaryHome &) = delete;
    TemporaryHome &operator=(const TemporaryHome &) = delete;

    [[nodiscard]] QString path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    QByteArray m_saved;
};

// Zorv on the laptop with every item in reach, its settings window opened and worked only with
// the simulated Mac's mouse and keyboard.
class SettingsPointerTest : public ::testing::Test {
protected:
    SettingsPointerTest() : mac(reachableLaptop({})) {}

    void SetUp() override {
        ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
        markWelcomeTourDone();
        ASSERT_TRUE(mac.app.start());
        mac.run(70);
    }
    void TearDown() override { EXPECT_EQ(mac.app.finish(), 0); }

    UserInput &hands() { return mac.platform.desktop().userInput(); }

    void click(QPointF at, MouseButton button = MouseButton::Left,
               quint64 modifiers = EventFlags::none) {
        hands().moveMouse(at);
        hands().holding(modifiers, [&](quint64 held) { hands().click(at, button, held); });
        mac.driver.drain();
    }
    void press(quint16 keyCode) {
        hands().pressKey(keyCode);
        mac.driver.drain();
    }

    // Opens Settings from the status menu and puts the first visit's guide card away.
    QQuickWindow *openSettings() {
        click(zorvIconCentre(mac.app, mac.platform));
        const auto row = statusMenuRowCentre(mac.platform.desktop().menus(), u"Settings…"_s);
        if (!row) {
            ADD_FAILURE() << "no Settings row";
            return nullptr;
        }
        click(*row);
        mac.run(1);
        SettingsWindowController *settings = mac.app.settingsWindow();
        QQuickWindow *window = settings ? settings->window() : nullptr;
        if (!window) {
            ADD_FAILURE() << "no settings window";
            return nullptr;
        }
        putGuideAway(window);
        return window;
    }
    void putGuideAway(QQuickWindow *window) {
        if (window->property("guideShown").toBool()) {
            click(onScreen(window, u"guideDone"_s));
        }
        EXPECT_FALSE(window->property("guideShown").toBool());
    }

    // A point of the window's scene on the simulated screen.
    [[nodiscard]] QPointF onScreen(QQuickWindow *window, QPointF scene) {
        const SimAppWindow *server = serverOf(mac.platform.desktop(), window);
        EXPECT_NE(server, nullptr);
        return server ? server->record().frame.topLeft() + scene : scene;
    }
    [[nodiscard]] QQuickItem *control(QQuickWindow *window, const QString &name) {
        QQuickItem *item = findIn(window->contentItem(), name);
        EXPECT_NE(item, nullptr) << name.toStdString();
        return item;
    }
    // The middle of the named control on the simulated screen.
    [[nodiscard]] QPointF onScreen(QQuickWindow *window, const QString &name) {
        const QQuickItem *item = control(window, name);
        return onScreen(window, item ? sceneRect(*item).center() : QPointF());
    }

    // Whether the named control lies wholly inside the pane's visible part.
    [[nodiscard]] bool inView(QQuickWindow *window, const QString &name) {
        const QQuickItem *scroller = control(window, u"paneScroller"_s);
        const QQuickItem *item = control(window, name);
        return scroller && item && sceneRect(*scroller).contains(sceneRect(*item));
    }
    [[nodiscard]] double scrolled(QQuickWindow *window) {
        const QQuickItem *scroller = control(window, u"paneScroller"_s);
        return scroller ? scroller->property("contentY").toDouble() : 0.0;
    }

    TemporaryHome home;
    SimulatedMac mac;
};

// The wheel over the General pane scrolls it down to the Backup card and back up; Export… then
// opens the save panel, where typing replaces the proposed name and Return saves under it; Import…
// opens the open panel, where the typed name is the one asked about.
TEST_F(SettingsPointerTest, TheWheelBringsTheBackupCardIntoViewAndItsPanelsTakeTyping) {
    QQuickWindow *window = openSettings();
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(inView(window, u"export"_s)) << "the Backup card starts below the fold";
    const QPointF over = onScreen(window, sceneRect(*control(window, u"paneScroller"_s)).center());
    hands().moveMouse(over);
    for (int notch = 0; notch < 100 && !inView(window, u"export"_s); ++notch) {
        hands().scroll(-1.0);
        mac.driver.drain();
    }
    ASSERT_TRUE(inView(window, u"export"_s));
    EXPECT_TRUE(inView(window, u"import"_s));
    const double down = scrolled(window);
    hands().scroll(3.0);
    mac.driver.drain();
    EXPECT_LT(scrolled(window), down) << "a scroll the other way goes back up";

    hands().scroll(-3.0);
    mac.driver.drain();
    ASSERT_TRUE(inView(window, u"export"_s));
    click(onScreen(window, u"export"_s));
    QQuickWindow *panel = shownWindowWith(mac.platform.desktop(), u"path"_s);
    ASSERT_NE(panel, nullptr) << "the save panel";
    ASSERT_TRUE(hands().type(u"mine"_s));
    mac.driver.drain();
    const QString exported = QDir(home.path()).filePath(u"mine.json"_s);
    EXPECT_EQ(control(panel, u"path"_s)->property("text").toString().toStdString(),
              exported.toStdString());
    press(KeyCode::returnKey);
    mac.run(2);
    EXPECT_EQ(shownWindowWith(mac.platform.desktop(), u"path"_s), nullptr);
    EXPECT_TRUE(QFile::exists(exported));

    click(onScreen(window, u"import"_s));
    panel = shownWindowWith(mac.platform.desktop(), u"path"_s);
    ASSERT_NE(panel, nullptr) << "the open panel";
    ASSERT_TRUE(hands().type(u"mine.json"_s));
    mac.driver.drain();
    EXPECT_EQ(control(panel, u"path"_s)->property("text").toString().toStdString(),
              exported.toStdString());
    press(KeyCode::returnKey);
    mac.run(1);
    EXPECT_EQ(shownWindowWith(mac.platform.desktop(), u"path"_s), nullptr);
    const QObject *pane = window->property("paneItem").value<QObject *>();
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(pane->property("sheetShown").toBool()) << "the import of the typed file is asked";
}

// Page Down scrolls the pane by its height less a line, down to its end, where the Backup card
// shows; Page Up goes back to the top.
TEST_F(SettingsPointerTest, PageDownAndPageUpScrollThePane) {
    QQuickWindow *window = openSettings();
    ASSERT_NE(window, nullptr);
    const QQuickItem *scroller = control(window, u"paneScroller"_s);
    ASSERT_NE(scroller, nullptr);
    const double page = scroller->height() - 10;
    const double end = scroller->property("contentHeight").toDouble() - scroller->height();
    ASSERT_GT(end, 0.0) << "the General pane scrolls";
    ASSERT_FALSE(inView(window, u"export"_s));

    for (const auto &[key, direction] : {std::pair{pageDownKey, 1}, std::pair{pageUpKey, -1}}) {
        double expected = scrolled(window);
        for (int pages = 0; pages < 3; ++pages) {
            press(key);
            expected = std::clamp(expected + direction * page, 0.0, end);
            EXPECT_DOUBLE_EQ(scrolled(window), expected) << "page " << pages;
        }
        EXPECT_DOUBLE_EQ(scrolled(window), direction > 0 ? end : 0.0) << "it stops at the end";
        EXPECT_EQ(inView(window, u"export"_s), direction > 0);
    }
}

// Opens the Menu Bar Layout pane from the rail.
class LayoutPanePointerTest : public SettingsPointerTest {
protected:
    QQuickWindow *openLayoutPane() {
        QQuickWindow *window = openSettings();
        if (!window) {
            return nullptr;
        }
        click(onScreen(window, u"rail-arrange"_s));
        mac.run(1);
        putGuideAway(window);
        return window;
    }
};

// A chip pressed, dragged across with the mouse and released over the Shown lane moves its item
// from the hidden part of the bar to the shown part, at the lane's end.
TEST_F(LayoutPanePointerTest, AChipDraggedFromHiddenToShownMovesTheItemOnTheBar) {
    QQuickWindow *window = openLayoutPane();
    ASSERT_NE(window, nullptr);
    const Lanes before = mac.lanes();
    ASSERT_FALSE(before[Section::hidden].isEmpty());
    const MenuBarItemID item = before[Section::hidden].first();

    const QPointF from = onScreen(window, u"chip-hidden-0"_s);
    const QQuickItem *well = control(window, u"well-shown"_s);
    ASSERT_NE(well, nullptr);
    // Past every chip of the Shown lane: the item goes to its end.
    const QRectF shownWell = sceneRect(*well);
    const QPointF to = onScreen(window, QPointF(shownWell.right() - 20, shownWell.center().y()));
    hands().moveMouse(from);
    hands().mouseDown(from);
    mac.driver.drain();
    for (int step = 1; step <= 12; ++step) {
        hands().mouseDragged(from + (to - from) * step / 12);
        mac.driver.drain();
    }
    hands().mouseUp(to);
    mac.driver.drain();
    mac.run(10);

    const Lanes after = mac.lanes();
    EXPECT_FALSE(after[Section::hidden].contains(item));
    ASSERT_FALSE(after[Section::shown].isEmpty());
    EXPECT_EQ(after[Section::shown].last(), item);
}

// A right-click on a chip, or a click with Control held as a Mac takes for one, opens its menu
// where the button went down.
struct ChipMenuClick {
    const char *name;
    MouseButton button;
    quint64 modifiers;
};

void PrintTo(const ChipMenuClick &c, std::ostream *out) {
    *out << c.name;
}

class ChipMenuClickTest : public LayoutPanePointerTest,
                          public ::testing::WithParamInterface<ChipMenuClick> {};

TEST_P(ChipMenuClickTest, AChipsMenuOpensWhereTheButtonWentDown) {
    QQuickWindow *window = openLayoutPane();
    ASSERT_NE(window, nullptr);
    const QQuickItem *chip = control(window, u"chip-shown-1"_s);
    ASSERT_NE(chip, nullptr);
    // Off the chip's middle, so that a menu at the chip would not pass either.
    const QPointF scene = sceneRect(*chip).topLeft() + QPointF(4, 5);
    click(onScreen(window, scene), GetParam().button, GetParam().modifiers);

    const auto *pane = window->property("paneItem").value<QObject *>();
    ASSERT_NE(pane, nullptr);
    const auto *shownLane = pane->property("shownLane").value<QObject *>();
    ASSERT_NE(shownLane, nullptr);
    const auto *menu = shownLane->findChild<QObject *>(u"chipMenu-shown"_s);
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->property("opened").toBool() || menu->property("visible").toBool());
    const auto *lane = menu->property("parent").value<QQuickItem *>();
    ASSERT_NE(lane, nullptr);
    const QPointF at =
        lane->mapToScene(QPointF(menu->property("x").toDouble(), menu->property("y").toDouble()));
    EXPECT_NEAR(at.x(), scene.x(), 1.0);
    EXPECT_NEAR(at.y(), scene.y(), 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, ChipMenuClickTest,
    ::testing::Values(ChipMenuClick{"RightClick", MouseButton::Right, EventFlags::none},
                      ChipMenuClick{"ControlClick", MouseButton::Left, EventFlags::control}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
