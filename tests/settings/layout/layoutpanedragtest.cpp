#include "lanefixture.h"
#include "settingswindowcontroller.h"
#include "settingswindowmodel.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The pane as the user works it, with the pointer: chips dragged between and within lanes.
class LayoutPaneDragTest : public ::testing::Test, protected LaneFixture {
protected:
    explicit LayoutPaneDragTest(const QList<MenuBarItem> &items = bar()) : LaneFixture(items) {
        view.markGuideSeen(u"arrange"_s);
        controller.open(SettingsPane::arrange);
        settle();
    }

    // Looks through the drawn items: a lane's chips are made by its repeater.
    static QQuickItem *findIn(QQuickItem *item, const QString &name) {
        if (item->objectName() == name) {
            return item;
        }
        for (QQuickItem *child : item->childItems()) {
            if (QQuickItem *found = findIn(child, name)) {
                return found;
            }
        }
        return nullptr;
    }
    QQuickItem *find(const QString &name) const {
        QQuickItem *item = findIn(controller.window()->contentItem(), name);
        EXPECT_TRUE(item) << name.toStdString();
        return item;
    }
    QPoint centre(QQuickItem *item, qreal dx = 0) const {
        return item->mapToScene(QPointF(item->width() / 2 + dx, item->height() / 2)).toPoint();
    }
    // Presses on the chip and moves in steps to `to`, holding the button there.
    void hold(QQuickItem *chip, QPoint to) {
        QQuickWindow *window = controller.window();
        const QPoint from = centre(chip);
        QTest::mousePress(window, Qt::LeftButton, {}, from);
        constexpr int steps = 12;
        for (int step = 1; step <= steps; ++step) {
            QTest::mouseMove(window, from + (to - from) * step / steps);
            QCoreApplication::processEvents();
        }
    }
    // Presses on the chip, moves in steps to `to` and lets go there.
    void drag(QQuickItem *chip, QPoint to) {
        hold(chip, to);
        QTest::mouseRelease(controller.window(), Qt::LeftButton, {}, to);
        settle();
        mac.advance(1);
    }
    LaneModel *lane(const char *name) const {
        const auto *pane = controller.window()->property("paneItem").value<QObject *>();
        return pane->property(name).value<QObject *>()->property("lane").value<LaneModel *>();
    }

    SettingsWindowController controller{engine, view, services, mac.desktop().appWindows()};
};

TEST_F(LayoutPaneDragTest, DraggingAChipToAnotherLaneMovesItThere) {
    drag(find(u"chip-shown-0"_s), centre(find(u"well-alwaysHidden"_s)));
    EXPECT_EQ(names(*lane("shownLane")), QStringList({u"Beta"_s, u"Gamma"_s}));
    EXPECT_EQ(names(*lane("alwaysHiddenLane")), QStringList({u"Alpha"_s}));
    EXPECT_TRUE(mac.engine().reconciles().contains(u"user-move"_s));
    // The caret and the highlight went with the drop.
    EXPECT_EQ(lane("alwaysHiddenLane")->insertionIndex(), -1);
}

// The caret shows in an empty lane too, and the drop takes it and the highlight away at once,
// not only when the caret would have faded.
TEST_F(LayoutPaneDragTest, AnEmptyLaneShowsTheCaretUntilTheDrop) {
    LaneModel *alwaysHidden = lane("alwaysHiddenLane");
    ASSERT_EQ(alwaysHidden->count(), 0);
    const QPoint well = centre(find(u"well-alwaysHidden"_s));
    hold(find(u"chip-shown-0"_s), well);
    QQuickItem *caret = find(u"caret-end-alwaysHidden"_s);
    EXPECT_EQ(alwaysHidden->insertionIndex(), 0);
    EXPECT_TRUE(alwaysHidden->targeted());
    EXPECT_TRUE(caret->isVisible());

    QTest::mouseRelease(controller.window(), Qt::LeftButton, {}, well);
    QCoreApplication::processEvents();
    EXPECT_FALSE(caret->isVisible());
    EXPECT_FALSE(alwaysHidden->targeted());
    EXPECT_EQ(
        find(u"well-alwaysHidden"_s)->property("border").value<QObject *>()->property("width"), 1);
    settle();
    EXPECT_EQ(names(*alwaysHidden), QStringList({u"Alpha"_s}));
}

TEST_F(LayoutPaneDragTest, DraggingAChipWithinItsLaneReordersIt) {
    // Just left of the first chip's middle.
    drag(find(u"chip-shown-2"_s), centre(find(u"chip-shown-0"_s), -4));
    EXPECT_EQ(names(*lane("shownLane")), QStringList({u"Gamma"_s, u"Alpha"_s, u"Beta"_s}));
}

TEST_F(LayoutPaneDragTest, TheChipsMenuMovesItToTheEndOfAnotherLane) {
    QTest::mouseClick(controller.window(), Qt::RightButton, {}, centre(find(u"chip-hidden-0"_s)));
    settle();
    // The menu's rows by their text.
    QHash<QString, QQuickItem *> rows;
    std::function<void(QQuickItem *)> look = [&](QQuickItem *item) {
        if (item->inherits("QQuickMenuItem")) {
            rows.insert(item->property("text").toString(), item);
        }
        for (QQuickItem *child : item->childItems()) {
            look(child);
        }
    };
    look(controller.window()->contentItem());
    QQuickItem *own = rows.value(u"Move to Hidden"_s);
    QQuickItem *target = rows.value(u"Move to Shown"_s);
    ASSERT_TRUE(own && target && rows.contains(u"Delta"_s));
    EXPECT_TRUE(own->property("checked").toBool());
    EXPECT_FALSE(own->isEnabled());
    QTest::mouseClick(controller.window(), Qt::LeftButton, {}, centre(target));
    settle();
    mac.advance(1);
    EXPECT_EQ(names(*lane("shownLane")),
              QStringList({u"Alpha"_s, u"Beta"_s, u"Gamma"_s, u"Delta"_s}));
}

// The items change under the pane all the time (a frame moves whenever the clock's width does),
// and items come and go: the chip the user is working with stays, with its item.
class LayoutPaneItemChangeTest : public LayoutPaneDragTest {
protected:
    LayoutPaneItemChangeTest() {
        // The lanes the pane draws, checked through every change.
        for (const char *name : {"shownLane", "hiddenLane", "alwaysHiddenLane"}) {
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                lane(name), QAbstractItemModelTester::FailureReportingMode::Fatal));
        }
    }

    // The bar as the engine last reported it, changed and reported again.
    void change(const std::function<void(QList<MenuBarItem> &)> &apply) {
        QList<MenuBarItem> items = model.items();
        apply(items);
        mac.engine().itemsStream().push(items);
        settle();
    }
    static void setDormant(QList<MenuBarItem> &items, const QString &name) {
        for (MenuBarItem &each : items) {
            each.isDormant = each.isDormant || each.appName == name;
        }
    }

    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};

TEST_F(LayoutPaneItemChangeTest, AHoveredChipKeepsItsNameBubble) {
    QQuickWindow *window = controller.window();
    const QPointer<QQuickItem> gamma = find(u"chip-shown-2"_s);
    QTest::mouseMove(window, centre(gamma));
    QCoreApplication::processEvents();
    mac.advance(0.35);
    settle();
    QQuickItem *bubble = find(u"bubble-shown"_s);
    ASSERT_TRUE(bubble->isVisible());

    struct Change {
        const char *name;
        std::function<void(QList<MenuBarItem> &)> apply;
    };
    const Change changes[] = {
        {"every frame moves",
         [](QList<MenuBarItem> &items) {
             for (MenuBarItem &each : items) {
                 each.frame.translate(-7, 0);
             }
         }},
        {"an item comes after it",
         [](QList<MenuBarItem> &items) {
             items.append(item(u"com.example.zeta"_s, u"Zeta"_s, Section::shown, 990));
         }},
        {"an item before it stops",
         [](QList<MenuBarItem> &items) { setDormant(items, u"Beta"_s); }},
        {"an item of another lane goes",
         [](QList<MenuBarItem> &items) {
             items.removeIf([](const MenuBarItem &each) { return each.appName == u"Epsilon"_s; });
         }},
    };
    // The bubble's middle, across, against the chip's, in the window.
    const auto offCentre = [&] {
        return bubble->mapToScene(QPointF(bubble->width() / 2, 0)).x() -
               gamma->mapToScene(QPointF(gamma->width() / 2, 0)).x();
    };
    ASSERT_LE(std::abs(offCentre()), 1.0);
    for (const Change &each : changes) {
        SCOPED_TRACE(each.name);
        change(each.apply);
        ASSERT_TRUE(gamma) << "the hovered chip is still the one drawn";
        EXPECT_TRUE(gamma->property("hovered").toBool());
        EXPECT_TRUE(bubble->isVisible());
        EXPECT_EQ(lane("shownLane")->bubbleName(), u"Gamma"_s);
        EXPECT_LE(std::abs(offCentre()), 1.0) << "the bubble stays over its chip";
    }

    // A drag from elsewhere opens a gap in front of it: the chip moves aside, still under the
    // pointer, and its bubble goes with it.
    const qreal before = gamma->mapToScene(QPointF()).x();
    LaneModel *shown = lane("shownLane");
    shown->dragMoved(gamma->mapToItem(gamma->parentItem()->parentItem(), QPointF()).x());
    settle();
    // The lane lays its chips out again as it draws its next frame.
    (void)window->grabWindow();
    settle();
    ASSERT_EQ(shown->insertionIndex(), 2);
    EXPECT_GT(gamma->mapToScene(QPointF()).x(), before);
    EXPECT_TRUE(gamma->property("hovered").toBool());
    EXPECT_TRUE(bubble->isVisible());
    EXPECT_LE(std::abs(offCentre()), 1.0) << "the bubble moved with its chip";
}

TEST_F(LayoutPaneItemChangeTest, ADraggedChipDropsWhereTheUserLetsGo) {
    const QPointer<QQuickItem> alpha = find(u"chip-shown-0"_s);
    const QPoint well = centre(find(u"well-alwaysHidden"_s));
    hold(alpha, well);
    ASSERT_TRUE(alpha->property("dragging").toBool());
    change([](QList<MenuBarItem> &items) {
        items.append(item(u"com.example.zeta"_s, u"Zeta"_s, Section::shown, 990));
    });
    ASSERT_TRUE(alpha) << "the dragged chip is still the one drawn";
    EXPECT_TRUE(alpha->property("dragging").toBool());

    QTest::mouseRelease(controller.window(), Qt::LeftButton, {}, well);
    settle();
    mac.advance(1);
    EXPECT_EQ(names(*lane("alwaysHiddenLane")), QStringList({u"Alpha"_s}));
}

TEST_F(LayoutPaneItemChangeTest, AChipsMenuMovesTheItemItWasOpenedOn) {
    QTest::mouseClick(controller.window(), Qt::RightButton, {}, centre(find(u"chip-hidden-1"_s)));
    settle();
    // The chip before it goes while the menu is open: Epsilon's chip is now the first.
    change([](QList<MenuBarItem> &items) {
        items.removeIf([](const MenuBarItem &each) { return each.appName == u"Delta"_s; });
    });
    ASSERT_EQ(names(*lane("hiddenLane")), QStringList({u"Epsilon"_s}));
    QQuickItem *target = nullptr;
    std::function<void(QQuickItem *)> look = [&](QQuickItem *each) {
        if (each->inherits("QQuickMenuItem") && each->property("text") == u"Move to Shown"_s) {
            target = each;
        }
        for (QQuickItem *child : each->childItems()) {
            look(child);
        }
    };
    look(controller.window()->contentItem());
    ASSERT_TRUE(target);
    QTest::mouseClick(controller.window(), Qt::LeftButton, {}, centre(target));
    settle();
    mac.advance(1);
    EXPECT_EQ(names(*lane("shownLane")).last(), u"Epsilon"_s);
    EXPECT_FALSE(names(*lane("hiddenLane")).contains(u"Epsilon"_s));
}

// More items in Shown than its well is wide: the lane scrolls, and chips still drag.
class CrowdedLayoutPaneDragTest : public LayoutPaneDragTest {
protected:
    static QList<MenuBarItem> crowded() {
        // Next to the other apps' items: the sample engine counts the system's own among a
        // lane's places, which the layout leaves out.
        QList<MenuBarItem> items = bar();
        for (int i = 0; i < 30; ++i) {
            items.insert(3 + i, item(u"com.example.extra%1"_s.arg(i), u"Extra %1"_s.arg(i),
                                     Section::shown, 400 + 10 * i));
        }
        return items;
    }
    CrowdedLayoutPaneDragTest() : LayoutPaneDragTest(crowded()) {}
};

TEST_F(CrowdedLayoutPaneDragTest, AChipOfAScrollingLaneDragsSidewaysAndAcross) {
    ASSERT_EQ(lane("shownLane")->count(), 33);
    drag(find(u"chip-shown-3"_s), centre(find(u"chip-shown-0"_s), -4));
    EXPECT_EQ(names(*lane("shownLane")).mid(0, 2), QStringList({u"Extra 0"_s, u"Alpha"_s}));
    drag(find(u"chip-shown-1"_s), centre(find(u"well-hidden"_s)));
    EXPECT_EQ(names(*lane("hiddenLane")).last(), u"Alpha"_s);

    // Scrolled to its end, a drop lands where the caret shows among the chips in view.
    QQuickItem *scroller = find(u"scroller-shown"_s);
    scroller->setProperty("contentX",
                          scroller->property("contentWidth").toReal() - scroller->width());
    settle();
    drag(find(u"chip-shown-31"_s), centre(find(u"chip-shown-29"_s), -4));
    EXPECT_EQ(names(*lane("shownLane")).mid(28),
              QStringList({u"Extra 26"_s, u"Extra 29"_s, u"Extra 27"_s, u"Extra 28"_s}));
}

} // namespace
} // namespace zorv
