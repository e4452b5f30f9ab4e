#include "appwindow.h"
#include "desktopsnapshot.h"
#include "input/keylayout.h"
#include "menurowsmodel.h"
#include "menus/menukeys.h"
#include "scenariomac.h"
#include "search/searchpanelcontroller.h"
#include "search/searchpanelmodel.h"
#include "settingswindowcontroller.h"
#include "wholeapptest.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDir>
#include <QQuickWindow>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// Zorv on the shipped laptop, its welcome tour done, driven with the simulated Mac's mouse and
// keyboard through its status menu and its main menu in the bar.
class MenuKeyboardAppTest : public WholeAppTest {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(launch(tourDoneSettings, 2)); }

    void openStatusMenu() {
        mac().userInput().click(zorvIconCentre(app, platform));
        driver.drain();
        ASSERT_TRUE(mac().menus().isTracking());
    }

    [[nodiscard]] QString front() {
        return DesktopSnapshot::take(mac()).frontmostApplication.value_or(QString());
    }

    [[nodiscard]] bool settingsShown() const {
        return app.settingsWindow() && app.settingsWindow()->appWindow() &&
               app.settingsWindow()->appWindow()->isVisible();
    }

    // The title as the bar draws it, in the top-left convention of the Mac's input.
    [[nodiscard]] std::optional<QRectF> barTitle(const QString &text) {
        const ScreenSnapshot screen = DesktopSnapshot::take(mac()).screens.value(0);
        for (const MenuTitle &title : screen.look.menus) {
            if (title.text == text) {
                return title.rect.translated(screen.globalFrame.topLeft());
            }
        }
        return std::nullopt;
    }

    // A drawn item of another application on the bar.
    [[nodiscard]] std::optional<BarEntry> anotherApplicationsItem() {
        const qint32 zorv = mac().applications().currentProcessId();
        for (const BarEntry &entry : mac().readout().bar()) {
            if (entry.visible && entry.processId != zorv) {
                return entry;
            }
        }
        ADD_FAILURE() << "no item of another application is drawn";
        return std::nullopt;
    }

    // The item drawn selected on the screen.
    [[nodiscard]] std::optional<quint64> drawnSelected() {
        return DesktopSnapshot::take(mac()).screens.value(0).look.selectedItem;
    }

    // The title of the row the open menu's window shows lit.
    [[nodiscard]] QString litRow() {
        const MenuRowsModel &rows = *app.menuPopup().rows();
        for (int row = 0; row < rows.rowCount(); ++row) {
            const QModelIndex index = rows.index(row);
            if (index.data(MenuRowsModel::HighlightedRole).toBool()) {
                return index.data(MenuRowsModel::TitleRole).toString();
            }
        }
        return {};
    }
};

TEST_F(MenuKeyboardAppTest, CommandCommaInTheOpenStatusMenuOpensSettings) {
    openStatusMenu();
    press(KeyLayout::stroke(u',')->keyCode, EventFlags::command);
    EXPECT_FALSE(mac().menus().isTracking());
    EXPECT_TRUE(settingsShown());
    EXPECT_EQ(front(), u"Zorv"_s);
}

// The header cannot be chosen: About is the first row the highlight stops on, Settings the
// second.
TEST_F(MenuKeyboardAppTest, DownDownReturnChoosesTheSecondRowThatCanBeChosen) {
    openStatusMenu();
    QAbstractItemModelTester tester(app.menuPopup().rows(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    press(KeyCode::downArrow);
    EXPECT_EQ(litRow(), u"About Zorv"_s);
    press(KeyCode::downArrow);
    EXPECT_EQ(litRow(), u"Settings…"_s);
    EXPECT_FALSE(settingsShown());
    press(KeyCode::returnKey);
    EXPECT_FALSE(mac().menus().isTracking());
    EXPECT_TRUE(settingsShown());
}

// With Zorv in front (Settings open), a click on a title of its main menu in the bar opens that
// menu below the title, drawn over everything, and its rows act.
class MainMenuRowTest;

struct MainMenuRowCase {
    const char *name;
    QString title;
    QString row;
    std::function<bool(MainMenuRowTest &)> acted;
};

void PrintTo(const MainMenuRowCase &c, std::ostream *out) {
    *out << c.name;
}

class MainMenuRowTest : public MenuKeyboardAppTest,
                        public ::testing::WithParamInterface<MainMenuRowCase> {
public:
    using MenuKeyboardAppTest::app;
    using MenuKeyboardAppTest::driver;
    using MenuKeyboardAppTest::mac;
    QRectF settingsFrameBefore;
};

TEST_P(MainMenuRowTest, AClickOnTheTitleOpensItsMenuAndTheRowActs) {
    const MainMenuRowCase &c = GetParam();
    openStatusMenu();
    const std::optional<QPointF> settingsRow = statusMenuRowCentre(mac().menus(), u"Settings…"_s);
    ASSERT_TRUE(settingsRow);
    click(*settingsRow);
    ASSERT_TRUE(settingsShown());
    ASSERT_EQ(front(), u"Zorv"_s);
    settingsFrameBefore = app.settingsWindow()->appWindow()->frame();

    const std::optional<QRectF> title = barTitle(c.title);
    ASSERT_TRUE(title) << "the bar shows no " << c.title.toStdString();
    click(title->center());
    ASSERT_TRUE(mac().menus().isTracking());
    EXPECT_EQ(mac().menus().frame().topLeft(), title->bottomLeft());
    ASSERT_NE(app.menuPopup().window(), nullptr) << "the menu is drawn";

    const std::optional<QPointF> row = statusMenuRowCentre(mac().menus(), c.row);
    ASSERT_TRUE(row);
    click(*row);
    EXPECT_FALSE(mac().menus().isTracking());
    driver.run(seconds(5));
    EXPECT_TRUE(c.acted(*this));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MainMenuRowTest,
    ::testing::Values(
        MainMenuRowCase{"SortMyBarStartsASort", u"Menu Bar"_s, u"Sort My Bar"_s,
                        [](MainMenuRowTest &) {
                            const QList<QJsonObject> log = reconcileLog();
                            return std::ranges::any_of(log, [](const QJsonObject &line) {
                                return line.value(u"trigger"_s) == u"sort-my-bar"_s;
                            });
                        }},
        MainMenuRowCase{"ZoomZoomsTheKeyWindow", u"Window"_s, u"Zoom"_s,
                        [](MainMenuRowTest &test) {
                            return test.app.settingsWindow()->appWindow()->frame() !=
                                   test.settingsFrameBefore;
                        }},
        MainMenuRowCase{"HideZorvHandsTheFrontBack", u"Zorv"_s, u"Hide Zorv"_s,
                        [](MainMenuRowTest &test) { return test.mac().application().isHidden(); }}),
    [](const auto &info) { return std::string(info.param.name); });

// The search key works while a menu of Zorv's main menu is open: the menu closes, so that what
// the user types next goes to the panel's query, and Return opens the item it lists.
TEST_F(MenuKeyboardAppTest, TheSearchKeyWithAMainMenuOpenGivesThePanelTheKeyboard) {
    openStatusMenu();
    const std::optional<QPointF> settingsRow = statusMenuRowCentre(mac().menus(), u"Settings…"_s);
    ASSERT_TRUE(settingsRow);
    click(*settingsRow);
    ASSERT_EQ(front(), u"Zorv"_s);
    const std::optional<QRectF> window = barTitle(u"Window"_s);
    ASSERT_TRUE(window);
    click(window->center());
    ASSERT_TRUE(mac().menus().isTracking());

    press(KeyLayout::stroke(u'f')->keyCode, EventFlags::option | EventFlags::command);
    ASSERT_TRUE(app.searchPanel() && app.searchPanel()->isVisible());
    EXPECT_FALSE(mac().menus().isTracking());
    type(u"drop"_s);
    EXPECT_EQ(app.searchPanel()->search()->query(), u"drop"_s);
    const qsizetype before = mac().readout().clicks().size();
    press(KeyCode::returnKey);
    driver.run(seconds(5));
    const QList<DeliveredClick> clicks = mac().readout().clicks();
    ASSERT_EQ(clicks.size(), before + 1);
    EXPECT_EQ(mac().readout().entry(clicks.last().itemId)->applicationName, u"Dropbox"_s);
}

// The title of the open menu of Zorv's main menu is drawn highlighted in the bar, following the
// menu from title to title, and plain again once the menu closes.
TEST_F(MenuKeyboardAppTest, TheOpenMenusTitleIsHighlightedInTheBar) {
    openStatusMenu();
    const std::optional<QPointF> settingsRow = statusMenuRowCentre(mac().menus(), u"Settings…"_s);
    ASSERT_TRUE(settingsRow);
    click(*settingsRow);
    ASSERT_EQ(front(), u"Zorv"_s);
    const auto openTitles = [&] {
        QStringList open;
        for (const MenuTitle &title : DesktopSnapshot::take(mac()).screens.value(0).look.menus) {
            if (title.open) {
                open.append(title.text);
            }
        }
        return open;
    };
    // A point of the title clear of its text, in the saved picture.
    const auto plate = [&](const QString &text) {
        const QImage picture = app.savedPicture();
        const std::optional<QRectF> title = barTitle(text);
        EXPECT_TRUE(title);
        const QPointF at = title.value_or(QRectF()).topLeft() + QPointF(3, title->height() / 2);
        return picture.pixelColor((at * picture.devicePixelRatio()).toPoint());
    };
    const QColor bar = plate(u"Edit"_s);
    EXPECT_EQ(openTitles(), QStringList());

    const std::optional<QRectF> edit = barTitle(u"Edit"_s);
    ASSERT_TRUE(edit);
    click(edit->center());
    ASSERT_TRUE(mac().menus().isTracking());
    EXPECT_EQ(openTitles(), QStringList{u"Edit"_s});
    EXPECT_NE(plate(u"Edit"_s), bar);
    EXPECT_EQ(plate(u"Window"_s), bar);
    const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    ASSERT_TRUE(QDir().mkpath(folder));
    app.savedPicture().copy(0, 0, 700, 120).save(folder + u"/bar-open-menu-title.png"_s);

    press(KeyCode::rightArrow);
    EXPECT_EQ(openTitles(), QStringList{u"Window"_s});
    EXPECT_EQ(plate(u"Edit"_s), bar);
    EXPECT_NE(plate(u"Window"_s), bar);

    press(KeyCode::escape);
    EXPECT_FALSE(mac().menus().isTracking());
    EXPECT_EQ(openTitles(), QStringList());
    EXPECT_EQ(plate(u"Window"_s), bar);
}

// Escape with another application's item menu open is the menu's alone: it closes the menu, and
// Settings in front stays open, in front and key. The menu opens through the item's element, as
// Zorv's item hot keys can open it, which leaves Settings the key window. The item is drawn
// selected while its menu is open.
TEST_F(MenuKeyboardAppTest, EscapeClosesAnotherApplicationsItemMenuAndLeavesSettingsOpen) {
    openStatusMenu();
    const std::optional<QPointF> settingsRow = statusMenuRowCentre(mac().menus(), u"Settings…"_s);
    ASSERT_TRUE(settingsRow);
    click(*settingsRow);
    ASSERT_TRUE(settingsShown());
    const std::optional<BarEntry> item = anotherApplicationsItem();
    ASSERT_TRUE(item);
    ASSERT_EQ(mac().accessibility().performAction(AXElementTable::item(item->itemId), u"AXPress"_s),
              AXError::Success);
    drain();
    const std::optional<OpenItemMenu> menu = mac().readout().openItemMenu();
    ASSERT_TRUE(menu && menu->itemId == item->itemId);
    ASSERT_TRUE(app.settingsWindow()->appWindow()->isKeyWindow());
    EXPECT_EQ(drawnSelected(), item->itemId);

    press(KeyCode::escape);
    EXPECT_FALSE(mac().readout().openItemMenu());
    EXPECT_EQ(mac().readout().itemMenuClosings().last().why, MenuClosing::Escape);
    EXPECT_EQ(drawnSelected(), std::nullopt);
    EXPECT_TRUE(settingsShown());
    EXPECT_EQ(front(), u"Zorv"_s);
    EXPECT_TRUE(app.settingsWindow()->appWindow()->isKeyWindow());
}

// Zorv's status menu opening closes another application's open item menu, whether a click on
// the icon (a press outside that menu) or a press of the icon's element opens it: one menu
// tracks at a time.
TEST_F(MenuKeyboardAppTest, TheStatusMenuClosesAnotherApplicationsItemMenu) {
    const std::optional<BarEntry> item = anotherApplicationsItem();
    ASSERT_TRUE(item);
    const QPointF icon = zorvIconCentre(app, platform);
    const QList<BarEntry> bar = mac().readout().bar();
    const auto iconEntry = std::ranges::find_if(
        bar, [&](const BarEntry &entry) { return entry.frame.contains(icon); });
    ASSERT_NE(iconEntry, bar.end());
    for (const bool byElement : {false, true}) {
        click(item->frame.center());
        ASSERT_TRUE(mac().readout().openItemMenu()) << byElement;
        if (byElement) {
            EXPECT_EQ(mac().accessibility().performAction(AXElementTable::item(iconEntry->itemId),
                                                          u"AXPress"_s),
                      AXError::Success);
            drain();
        } else {
            clickIcon();
        }
        EXPECT_TRUE(mac().menus().isTracking()) << byElement;
        EXPECT_FALSE(mac().readout().openItemMenu()) << byElement;
        EXPECT_EQ(mac().readout().itemMenuClosings().last().why,
                  byElement ? MenuClosing::AnotherMenuOpened : MenuClosing::PressedOutside);
        press(KeyCode::escape);
    }
}

} // namespace
} // namespace zorv
