#include "desktopapp.h"
#include "itemtree.h"
#include "manualclock.h"
#include "menurowsmodel.h"
#include "modelprofiles.h"
#include "scenario/scenarioloader.h"
#include "scenariomac.h"
#include "simulatedplatform.h"
#include "statusitembutton.h"
#include "workerclockdriver.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QCoreApplication>
#include <QDir>
#include <QQuickItem>
#include <QQuickWindow>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// Zorv on the shipped laptop, launched with its first-run window already done.
class StatusMenuWindowTest : public ::testing::Test {
protected:
    StatusMenuWindowTest()
        : platform(clock, ScenarioLoader::load(ScenarioLoader::defaultName), false),
          app(platform, SimOptions{}) {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(storeSettings(tourDoneSettings));
        ASSERT_TRUE(app.start());
        WorkerClockDriver(clock).drain();
    }

    SimulatedDesktop &mac() { return platform.desktop(); }

    void clickIcon(MouseButton button = MouseButton::Left) {
        mac().userInput().click(zorvIconCentre(app, platform), button);
        WorkerClockDriver(clock).drain();
    }

    // Keeps the open menu's picture in the build folder for people to look at.
    QImage picture(const QString &name) {
        QQuickWindow *window = app.menuPopup().window();
        EXPECT_NE(window, nullptr);
        if (!window) {
            return {};
        }
        const QImage image = window->grabWindow();
        const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
        EXPECT_TRUE(QDir().mkpath(folder));
        const QString scale = window->effectiveDevicePixelRatio() > 1 ? u"@2x"_s : QString();
        EXPECT_TRUE(image.save(folder + u"/"_s + name + scale + u".png"_s));
        return image;
    }

    // Keeps the part of the drawn screen around the open menu and its submenu.
    void screenPicture(const QString &name) {
        QRectF around;
        for (const ScreenWindows::Placed &placed : app.screenWindows().placed()) {
            around |= placed.sceneRect;
        }
        ASSERT_FALSE(around.isEmpty());
        const QImage whole = app.screenPicture();
        const double ratio = whole.devicePixelRatio();
        const QRect crop = QRectF(around.adjusted(-24, -40, 24, 24).topLeft() * ratio,
                                  around.adjusted(-24, -40, 24, 24).size() * ratio)
                               .toAlignedRect()
                               .intersected(whole.rect());
        const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString scale = ratio > 1 ? u"@2x"_s : QString();
        EXPECT_TRUE(whole.copy(crop).save(folder + u"/"_s + name + scale + u".png"_s));
    }

    // The middle of the shown row titled `title` of a menu laid out in `frame`.
    static QPointF rowCentre(const std::shared_ptr<const Menu> &menu, const QList<int> &shown,
                             const QRectF &frame, const QString &title) {
        double top = frame.top() + SimMenus::verticalPadding;
        for (int index : shown) {
            const double height = SimMenus::heightOf(menu->items[index]);
            if (menu->items[index].title == title) {
                return {frame.center().x(), top + height / 2};
            }
            top += height;
        }
        ADD_FAILURE() << "no row " << title.toStdString();
        return {};
    }

    ManualClock clock;
    SimulatedPlatform platform;
    DesktopApp app;
};

// The names of the menu items Qt's accessibility tree offers under `node`, in tree order.
QStringList accessibleMenuItems(QAccessibleInterface *node) {
    QStringList names;
    if (!node) {
        return names;
    }
    if (node->role() == QAccessible::MenuItem) {
        names.append(node->text(QAccessible::Name));
    }
    for (int child = 0; child < node->childCount(); ++child) {
        names.append(accessibleMenuItems(node->child(child)));
    }
    return names;
}

int pixelsOf(const QImage &image, const QColor &colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
        }
    }
    return count;
}

TEST_F(StatusMenuWindowTest, AClickOnTheIconOpensTheMenuBelowItInBothAppearances) {
    clickIcon();
    ASSERT_TRUE(mac().menus().isTracking());
    QQuickWindow *window = app.menuPopup().window();
    ASSERT_NE(window, nullptr);
    // The window server shows the menu's window at the menu's frame.
    const auto adopted = mac().appWindows().windows();
    const auto shown =
        std::ranges::find_if(adopted, [&](const SimAppWindow *w) { return w->window() == window; });
    ASSERT_NE(shown, adopted.end());
    EXPECT_TRUE((*shown)->record().visible);
    EXPECT_EQ((*shown)->record().frame, mac().menus().frame());
    QAbstractItemModelTester tester(app.menuPopup().rows(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);

    const QImage light = picture(u"status-menu-light"_s);
    EXPECT_GT(pixelsOf(light, QColor(u"#f2f2f2"_s)), light.width() * light.height() / 3);

    mac().appearance().setDark(true);
    WorkerClockDriver(clock).drain();
    const QImage dark = picture(u"status-menu-dark"_s);
    EXPECT_GT(pixelsOf(dark, QColor(u"#2c2c2e"_s)), dark.width() * dark.height() / 3);

    mac().menus().userHoldsOption(true);
    EXPECT_TRUE(mac().menus().userHovers(u"Reveal All Items"_s));
    const QImage option = picture(u"status-menu-option"_s);
    EXPECT_GT(pixelsOf(option, QColor(u"#2c2c2e"_s)), option.width() * option.height() / 3)
        << "the menu stays dark while Option is held";
}

// A profile whose name is wider than the screen leaves the submenu as wide as the screen, on it,
// with the name shortened in the middle; the other names show whole.
TEST_F(StatusMenuWindowTest, AProfileNameWiderThanTheScreenKeepsTheSubmenuOnIt) {
    const QString longName = QString(160, u'W') + u" and "_s + QString(157, u'M');
    app.model()->profileOps().saveProfileFromCurrent(u"Work"_s);
    app.model()->profileOps().saveProfileFromCurrent(longName);
    clickIcon();
    SimMenus &menus = mac().menus();
    ASSERT_TRUE(menus.isTracking());
    mac().userInput().moveMouse(
        rowCentre(menus.openMenu(), menus.shownRows(), menus.frame(), u"Profile"_s));
    WorkerClockDriver(clock).drain();
    QQuickWindow *submenu = app.menuPopup().submenuWindow();
    ASSERT_NE(submenu, nullptr);
    screenPicture(u"status-menu-long-profile"_s);

    const QRectF screen = mac().model().read([](const DesktopState &state) {
        return QRectF(QPointF(), state.screens.first().frame.size());
    });
    EXPECT_TRUE(screen.contains(menus.submenuFrame()))
        << menus.submenuFrame().x() << " " << menus.submenuFrame().width();
    EXPECT_DOUBLE_EQ(menus.submenuFrame().width(), screen.width());
    QList<QQuickItem *> titles;
    const std::function<void(QQuickItem *)> collect = [&](QQuickItem *item) {
        titles.append(item);
        for (QQuickItem *child : item->childItems()) {
            collect(child);
        }
    };
    collect(submenu->contentItem());
    const auto shownAs = [&](const QString &start) {
        for (QQuickItem *item : std::as_const(titles)) {
            const QString text = item->property("text").toString();
            if (item->property("elide").isValid() && item->isVisible() && text.startsWith(start)) {
                return item;
            }
        }
        return static_cast<QQuickItem *>(nullptr);
    };
    const QQuickItem *shortened = shownAs(u"WWW"_s);
    const QQuickItem *whole = shownAs(u"Work"_s);
    ASSERT_TRUE(shortened && whole);
    EXPECT_LT(shortened->width(), shortened->property("implicitWidth").toDouble());
    EXPECT_LE(submenu->contentItem()->mapFromItem(shortened, QPointF(shortened->width(), 0)).x(),
              submenu->width());
    EXPECT_DOUBLE_EQ(whole->width(), whole->property("implicitWidth").toDouble());
}

// The menu and its profiles submenu as the screen shows them, hovered and chosen with the
// simulated mouse, with Option held on the simulated keyboard.
TEST_F(StatusMenuWindowTest, TheProfilesSubmenuOpensOnHoverAndOptionSwapsTheRowsLive) {
    app.model()->profileOps().saveProfileFromCurrent(u"Work"_s);
    app.model()->profileOps().saveProfileFromCurrent(u"Home"_s);
    clickIcon();
    ASSERT_TRUE(mac().menus().isTracking());
    SimMenus &menus = mac().menus();

    mac().userInput().moveMouse(
        rowCentre(menus.openMenu(), menus.shownRows(), menus.frame(), u"Profile"_s));
    WorkerClockDriver(clock).drain();
    ASSERT_NE(menus.openSubmenu(), nullptr);
    QQuickWindow *submenu = app.menuPopup().submenuWindow();
    ASSERT_NE(submenu, nullptr);
    QAbstractItemModelTester tester(app.menuPopup().submenuRows(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    const auto placed = app.screenWindows().placed();
    ASSERT_GE(placed.size(), 2);
    EXPECT_EQ(placed.last().window, submenu) << "the submenu is drawn over the menu";

    for (const bool dark : {false, true}) {
        mac().appearance().setDark(dark);
        WorkerClockDriver(clock).drain();
        const QString look = dark ? u"dark"_s : u"light"_s;
        screenPicture(u"status-menu-profiles-"_s + look);
        mac().userInput().keyDown(KeyCode::option, EventFlags::option);
        EXPECT_TRUE(menus.optionHeld());
        EXPECT_EQ(app.menuPopup().rows()->index(5).data(MenuRowsModel::TitleRole).toString(),
                  u"Reveal All Items"_s);
        screenPicture(u"status-menu-option-"_s + look);
        mac().userInput().keyUp(KeyCode::option, EventFlags::none);
        EXPECT_EQ(app.menuPopup().rows()->index(5).data(MenuRowsModel::TitleRole).toString(),
                  u"Reveal Hidden Items"_s);
    }

    const QPointF home =
        rowCentre(menus.openSubmenu(), menus.submenuShownRows(), menus.submenuFrame(), u"Home"_s);
    mac().userInput().moveMouse(home);
    mac().userInput().click(home);
    WorkerClockDriver(clock).drain();
    EXPECT_FALSE(menus.isTracking());
    EXPECT_EQ(app.menuPopup().submenuWindow(), nullptr);
    ASSERT_EQ(app.model()->profiles().profiles.size(), 2);
    EXPECT_EQ(app.model()->profiles().activeID, app.model()->profiles().profiles[1].id);
}

TEST_F(StatusMenuWindowTest, AClickElsewhereOnTheScreenOrEscapeClosesTheMenu) {
    clickIcon();
    ASSERT_TRUE(mac().menus().isTracking());
    mac().userInput().click(QPointF(300, 500));
    WorkerClockDriver(clock).drain();
    EXPECT_FALSE(mac().menus().isTracking());
    EXPECT_EQ(app.menuPopup().window(), nullptr);
    EXPECT_FALSE(app.engine()->isRevealed());

    clickIcon();
    ASSERT_TRUE(mac().menus().isTracking());
    clickIcon();
    EXPECT_FALSE(mac().menus().isTracking()) << "a click on the icon closes its own menu";

    clickIcon();
    mac().userInput().pressKey(KeyCode::escape);
    WorkerClockDriver(clock).drain();
    EXPECT_FALSE(mac().menus().isTracking());
}

TEST_F(StatusMenuWindowTest, TheScreenShowsTheIconsToolTipAfterTheMouseRestsOnIt) {
    StatusItemButton *icon = app.engine()->separatorController().icon().button();
    ASSERT_NE(icon, nullptr);
    const auto window = icon->window();
    ASSERT_TRUE(window.has_value());
    const double top =
        mac().model().read([](const DesktopState &state) { return state.primaryTop(); });
    mac().userInput().moveMouse(
        QPointF(window->frame.center().x(), top - window->frame.center().y()));
    WorkerClockDriver(clock).drain();
    QQuickItem *tip = findItem(app.window()->contentItem(), u"toolTip"_s);
    ASSERT_NE(tip, nullptr);
    EXPECT_FALSE(tip->isVisible());

    clock.advance(seconds(SimToolTips::delaySeconds));
    WorkerClockDriver(clock).drain();
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(mac().toolTips().text(), u"Zorv"_s);
    const QImage picture = app.screenPicture();
    const QRectF shown = tip->mapRectToScene(tip->boundingRect());
    const double ratio = picture.devicePixelRatio();
    const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(picture
                    .copy(QRectF(shown.topLeft() * ratio - QPointF(200, 60) * ratio,
                                 QSizeF(shown.width() + 400, shown.height() + 100) * ratio)
                              .toAlignedRect())
                    .save(folder + u"/icon-tool-tip.png"_s));

    clickIcon();
    EXPECT_FALSE(tip->isVisible()) << "a click takes it away";
}

TEST_F(StatusMenuWindowTest, ARowWithAViewClosesTheMenuBeforeItsAction) {
    clickIcon();
    ASSERT_TRUE(mac().menus().isTracking());
    QStringList order;
    QObject::connect(&mac().menus(), &MenuPresenter::menuClosed, [&] {
        order.append(app.settingsWindow() ? u"closed after Settings opened"_s
                                          : u"closed before Settings opened"_s);
    });

    ASSERT_TRUE(mac().menus().userChooses(u"Settings…"_s));
    WorkerClockDriver(clock).drain();
    EXPECT_FALSE(mac().menus().isTracking());
    EXPECT_EQ(order, QStringList{u"closed before Settings opened"_s});
    ASSERT_NE(app.settingsWindow(), nullptr) << "the settings row ran";
    ASSERT_NE(app.settingsWindow()->window(), nullptr);
    EXPECT_TRUE(app.settingsWindow()->window()->isVisible());

    clickIcon();
    ASSERT_TRUE(mac().menus().userChooses(u"About Zorv"_s));
    WorkerClockDriver(clock).drain();
    EXPECT_FALSE(mac().menus().isTracking());
    ASSERT_NE(app.about().window(), nullptr);
    EXPECT_TRUE(app.about().window()->isVisible());
}

TEST_F(StatusMenuWindowTest, ReportAProblemOpensTheReportWindow) {
    clickIcon();
    ASSERT_TRUE(mac().menus().userChooses(u"Report a Problem…"_s));
    WorkerClockDriver(clock).drain();
    ASSERT_NE(app.reports().window(), nullptr);
    EXPECT_TRUE(app.reports().window()->isVisible());
}

TEST_F(StatusMenuWindowTest, ARightClickAndTheRevealKeyRevealTheHiddenItems) {
    clickIcon(MouseButton::Right);
    EXPECT_FALSE(mac().menus().isTracking());
    EXPECT_TRUE(app.engine()->isRevealed());

    clickIcon(MouseButton::Right);
    ASSERT_FALSE(app.engine()->isRevealed());
    mac().userInput().pressKey(1, EventFlags::option | EventFlags::command);
    WorkerClockDriver(clock).drain();
    EXPECT_TRUE(app.engine()->isRevealed());
}

// Screen readers hear the rows with key caps and the about row as their views say them.
TEST_F(StatusMenuWindowTest, ScreenReadersHearTheKeyCapsAndTheVersionOfTheRows) {
    clickIcon();
    ASSERT_NE(app.menuPopup().window(), nullptr);
    const QStringList names =
        accessibleMenuItems(QAccessible::queryAccessibleInterface(app.menuPopup().window()));
    for (const QString &expected :
         {u"About Zorv, v"_s + app.shell()->menuState().version, u"Settings…, command ,"_s,
          u"Search Menu Bar Items…, option command F"_s, u"Quit Zorv, command Q"_s,
          u"Sort My Bar"_s}) {
        EXPECT_TRUE(names.contains(expected))
            << expected.toStdString() << " among " << names.join(u" | "_s).toStdString();
    }
}

// "Search Menu Bar Items…", clicked in the status menu, shows the search panel.
TEST_F(StatusMenuWindowTest, TheSearchRowShowsTheSearchPanel) {
    clickIcon();
    SimMenus &menus = mac().menus();
    ASSERT_TRUE(menus.isTracking());
    const QPointF search =
        rowCentre(menus.openMenu(), menus.shownRows(), menus.frame(), u"Search Menu Bar Items…"_s);
    mac().userInput().moveMouse(search);
    mac().userInput().click(search);
    WorkerClockDriver(clock).drain();
    EXPECT_FALSE(menus.isTracking());
    ASSERT_NE(app.searchPanel(), nullptr);
    EXPECT_TRUE(app.searchPanel()->isVisible());
}

} // namespace
} // namespace zorv
