#include "appinput.h"
#include "engine/classicengine.h"
#include "menurowsmodel.h"
#include "reportmodel.h"
#include "scenariomac.h"
#include "sectionitems.h"
#include "wholeapptest.h"
#include "windows/itemrowsmodel.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>
#include <QQuickItem>
#include <QQuickWindow>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString reportNumber = u"R-7K3QXM"_s;

// Zorv on the laptop with every item in reach; what the user does with the simulated Mac's mouse
// to controls inside Zorv's windows.
class WindowPressTest : public WholeAppTest {
protected:
    WindowPressTest() : WholeAppTest(reachableLaptop({})) {}
    explicit WindowPressTest(const Scenario &scenario) : WholeAppTest(scenario) {}

    [[nodiscard]] QQuickItem *control(QQuickWindow *window, const QString &name) {
        return window ? findIn(window->contentItem(), name) : nullptr;
    }

    // Launches Zorv with its tour done and shows the report window's sent screen.
    QQuickWindow *showSentReport() {
        launch(tourDoneSettings);
        app.showReport(ReportProblem::Sent{reportNumber});
        drain();
        return app.reports().window();
    }
};

// Copy on the sent screen (whose middle scrolls, in a window moved by its background) puts the
// report number on the pasteboard and reads "Copied" for a second and a half, clicked or pressed
// and slid a little within it; the button does not stay pressed, and the window stays put.
TEST_F(WindowPressTest, CopyOnTheSentScreenCopiesTheReportNumber) {
    QQuickWindow *window = showSentReport();
    ASSERT_NE(serverOf(window), nullptr);
    const QRectF frame = serverOf(window)->record().frame;
    QQuickItem *button = control(window, u"reportCopy"_s);
    ASSERT_NE(button, nullptr);
    const auto copy = pointOf(window, u"reportCopy"_s);
    ASSERT_TRUE(copy.has_value());
    const std::function<void(UserInput &)> presses[] = {
        [&](UserInput &hands) { hands.click(*copy); },
        [&](UserInput &hands) { hands.drag(*copy, *copy + QPointF(4, 2)); },
    };

    for (const auto &press : presses) {
        mac().pasteboard().setPlainText(u"before"_s);
        mac().userInput().moveMouse(*copy);
        press(mac().userInput());
        drain();
        EXPECT_EQ(mac().pasteboard().plainText(), reportNumber);
        EXPECT_EQ(button->property("text").toString(), u"Copied"_s);
        EXPECT_FALSE(button->property("down").toBool()) << "the release reached the button";
        EXPECT_EQ(serverOf(window)->record().frame, frame);
        run(1.4);
        EXPECT_EQ(button->property("text").toString(), u"Copied"_s);
        run(0.2);
        EXPECT_EQ(button->property("text").toString(), u"Copy"_s);
    }
}

// A drag across the report number selects it, and leaves the window where it was; a drag on the
// window's background still moves it.
TEST_F(WindowPressTest, TheReportNumberIsSelectedWithTheMouse) {
    QQuickWindow *window = showSentReport();
    ASSERT_NE(serverOf(window), nullptr);
    const QRectF frame = serverOf(window)->record().frame;
    QQuickItem *number = control(window, u"reportNumber"_s);
    ASSERT_NE(number, nullptr);
    const auto from = pointOf(window, u"reportNumber"_s, {0.02, 0.5});
    const auto to = pointOf(window, u"reportNumber"_s, {0.98, 0.5});
    ASSERT_TRUE(from && to);

    mac().userInput().moveMouse(*from);
    mac().userInput().drag(*from, *to);
    drain();
    EXPECT_EQ(number->property("selectedText").toString(), reportNumber);
    EXPECT_EQ(serverOf(window)->record().frame, frame);

    const QPointF grab = frame.topLeft() + QPointF(frame.width() / 2, 4);
    mac().userInput().drag(grab, grab + QPointF(30, 20));
    drain();
    EXPECT_EQ(serverOf(window)->record().frame, frame.translated(30, 20));
}

// Where Zorv's icon stands on the laptop when the app has started.
const QPointF iconOnTheLaptop(1331, 18.5);

// Clicks on Zorv's icon from the scenario, some with Option held down around them: at 10 s and
// 20 s with Option, at 14 s and 24 s without; each one after them closes the strip again.
QJsonArray iconClicks() {
    QJsonArray events;
    for (const auto &[at, input, option] :
         {std::tuple{10, "rightClick", true}, std::tuple{12, "rightClick", false},
          std::tuple{14, "rightClick", false}, std::tuple{16, "rightClick", false},
          std::tuple{20, "leftClick", true}, std::tuple{22, "leftClick", false},
          std::tuple{24, "leftClick", false}, std::tuple{26, "leftClick", false}}) {
        QJsonObject event{{u"at"_s, at},
                          {u"do"_s, u"input"_s},
                          {u"input"_s, QString::fromLatin1(input)},
                          {u"x"_s, iconOnTheLaptop.x()},
                          {u"y"_s, iconOnTheLaptop.y()}};
        if (option) {
            event.insert(u"modifiers"_s, QJsonArray{u"option"_s});
        }
        events.append(event);
    }
    return events;
}

class IconOptionClickTest : public WindowPressTest {
protected:
    IconOptionClickTest() : WindowPressTest(reachableLaptop(iconClicks())) {}

    // The items the secondary bar shows; none while it is closed.
    [[nodiscard]] qsizetype stripItems() {
        QQuickWindow *strip = shownWindowWith(u"strip"_s);
        qsizetype count = 0;
        while (strip && control(strip, u"item-"_s + QString::number(count))) {
            ++count;
        }
        return count;
    }
};

// An Option-click on Zorv's icon that reveals opens the secondary bar with the always-hidden
// items beside the hidden ones; without Option it shows the hidden ones alone. A right click
// reveals by default, a left click once the icon's clicks are swapped.
TEST_F(IconOptionClickTest, OpensTheSecondaryBarWithTheAlwaysHiddenItems) {
    launch(R"({"onboardingCompleted": true, "secondaryBarEnabled": true})");
    ASSERT_EQ(zorvIconCentre(app, platform), iconOnTheLaptop);
    const qsizetype hidden = app.model()->itemsIn(Section::hidden).size();
    const qsizetype alwaysHidden = app.model()->itemsIn(Section::alwaysHidden).size();
    ASSERT_GT(hidden, 0);
    ASSERT_GT(alwaysHidden, 0);

    run(7.5);
    for (const bool swapped : {false, true}) {
        SCOPED_TRACE(swapped ? "left click reveals" : "right click reveals");
        if (swapped) {
            app.model()->setIconClickOpensMenu(false);
            run(4);
        }
        // Half a second after the Option-click.
        EXPECT_EQ(stripItems(), hidden + alwaysHidden);
        EXPECT_EQ(mac().menus().openMenu(), nullptr) << "no menu opens";
        run(2);
        EXPECT_EQ(stripItems(), 0);
        run(2);
        EXPECT_EQ(stripItems(), hidden);
        run(2);
        EXPECT_EQ(stripItems(), 0);
    }
}

// Option pressed on its own while the status menu is open, from the scenario: the menu shows the
// alternate rows until Option comes up again.
class ScenarioOptionKeyTest : public WindowPressTest {
protected:
    ScenarioOptionKeyTest()
        : WindowPressTest(reachableLaptop(QJsonArray{QJsonObject{{u"at"_s, 10},
                                                                 {u"do"_s, u"input"_s},
                                                                 {u"input"_s, u"leftClick"_s},
                                                                 {u"x"_s, iconOnTheLaptop.x()},
                                                                 {u"y"_s, iconOnTheLaptop.y()}},
                                                     QJsonObject{{u"at"_s, 11},
                                                                 {u"do"_s, u"input"_s},
                                                                 {u"input"_s, u"modifierDown"_s},
                                                                 {u"modifier"_s, u"option"_s}},
                                                     QJsonObject{{u"at"_s, 12},
                                                                 {u"do"_s, u"input"_s},
                                                                 {u"input"_s, u"modifierUp"_s},
                                                                 {u"modifier"_s, u"option"_s}}})) {}

    [[nodiscard]] QStringList drawnRows() {
        QStringList titles;
        const MenuRowsModel &rows = *app.menuPopup().rows();
        for (int row = 0; row < rows.rowCount(); ++row) {
            titles.append(rows.index(row).data(MenuRowsModel::TitleRole).toString());
        }
        return titles;
    }
};

TEST_F(ScenarioOptionKeyTest, OptionHeldInTheOpenStatusMenuShowsRevealAllItems) {
    launch(tourDoneSettings);
    run(7.5);
    ASSERT_TRUE(mac().menus().isTracking());
    EXPECT_TRUE(drawnRows().contains(u"Reveal Hidden Items"_s));
    run(1);
    EXPECT_TRUE(drawnRows().contains(u"Reveal All Items"_s));
    EXPECT_FALSE(drawnRows().contains(u"Reveal Hidden Items"_s));
    run(1);
    EXPECT_TRUE(drawnRows().contains(u"Reveal Hidden Items"_s));
    EXPECT_TRUE(mac().menus().isTracking());
}

// The shipped laptop, with its camera housing.
class SecondaryBarTapTest : public WholeAppTest {
protected:
    // The hidden lane as Zorv last read it, left to right.
    [[nodiscard]] QList<MenuBarItemID> hiddenLane() {
        QList<MenuBarItemID> ids;
        for (const MenuBarItem &item : floatingBarItems(app.model()->items(), false)) {
            ids.append(item.id);
        }
        return ids;
    }
};

// Sort My Bar puts 1Password before the three items the user moved after it. The user opens the
// secondary bar at the sort's first pause and taps its rightmost cell, 1Password's, a twentieth
// of a second after the sort has moved 1Password: too late for anyone to see. The strip holds
// its cells still while it is open, so 1Password is the item opened.
TEST_F(SecondaryBarTapTest, ATapWhileASortMovesTheLaneOpensTheItemOfTheCellTapped) {
    launch(R"({"onboardingCompleted": true, "secondaryBarEnabled": true, "liveLayout": false})",
           90);
    for (const MenuBarItem &item : floatingBarItems(app.model()->items(), false)) {
        if (QStringList{u"com.raycast.macos"_s, u"com.google.drivefs"_s, u"com.docker.docker"_s}
                .contains(item.id.bundleID)) {
            app.model()->move(item.id, Section::hidden);
        }
    }
    run(5);
    clickIcon();
    const std::optional<QPointF> sort = statusMenuRowCentre(mac().menus(), u"Sort My Bar"_s);
    ASSERT_TRUE(sort);
    click(*sort);
    const ClassicEngine &engine = *app.engine();
    for (int step = 0; step < 1000 && !engine.cursor().session(); ++step) {
        run(0.01);
    }
    ASSERT_TRUE(engine.cursor().session()) << "the sort never began dragging";
    for (int step = 0; step < 1000 && engine.cursor().session(); ++step) {
        run(0.01);
    }
    ASSERT_TRUE(engine.reconcileInFlight());

    clickIcon(MouseButton::Right);
    QQuickWindow *strip = shownWindowWith(u"strip"_s);
    ASSERT_NE(strip, nullptr);
    const auto *rows = qobject_cast<ItemRowsModel *>(strip->property("rows").value<QObject *>());
    ASSERT_NE(rows, nullptr);
    QList<MenuBarItemID> shown;
    for (const MenuBarItem &item : rows->items()) {
        shown.append(item.id);
    }
    ASSERT_EQ(shown, hiddenLane());
    const MenuBarItem tapped = rows->items().last();
    ASSERT_EQ(tapped.id.bundleID, u"com.1password.1password"_s);
    const std::optional<QPointF> cell =
        pointOf(strip, u"item-"_s + QString::number(rows->rowCount() - 1));
    ASSERT_TRUE(cell);
    for (int step = 0; step < 500 && hiddenLane() == shown; ++step) {
        run(0.01);
    }
    ASSERT_NE(hiddenLane(), shown) << "the sort did not move the lane while the strip was open";

    run(0.05);
    const qsizetype before = mac().readout().clicks().size();
    click(*cell);
    run(3);
    const QList<DeliveredClick> clicks = mac().readout().clicks();
    ASSERT_EQ(clicks.size(), before + 1);
    const std::optional<BarEntry> opened = mac().readout().entry(clicks.last().itemId);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->bundleIdentifier.value_or(QString()).toStdString(),
              tapped.id.bundleID.toStdString());
}

} // namespace
} // namespace zorv
