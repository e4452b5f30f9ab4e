#include "secondarybar/secondarybar.h"
#include "panelsfixture.h"
#include "secondarybar/secondarybarplacement.h"
#include "secondarybar/secondarybarstate.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQuickItem>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

Screen screenAt(QRectF frame) {
    Screen s;
    s.frame = frame;
    s.visibleFrame = QRectF(frame.x(), frame.y(), frame.width(), frame.height() - 24);
    return s;
}

// --- Placement.

TEST(SecondaryBarPlacementTest, UnderTheIconInsideTheScreen) {
    const Screen laptop = screenAt(QRectF(0, 0, 1512, 982));
    const Screen right = screenAt(QRectF(1512, -98, 1920, 1080));
    const QList<Screen> screens{laptop, right};
    const auto icon = [](double midX) { return QRectF(midX - 11, 958, 22, 24); };
    struct Case {
        const char *name;
        QSizeF size;
        std::optional<QRectF> icon;
        std::optional<Screen> main;
        std::optional<QPointF> origin;
    };
    // The top edge sits 4 below the bar: y = 958 - height - 4.
    const Case cases[] = {
        {"centred under the icon", {200, 38}, icon(1000), laptop, QPointF(900, 916)},
        {"held 8 from the right edge", {200, 38}, icon(1500), laptop, QPointF(1304, 916)},
        {"held 8 from the left edge", {200, 38}, icon(30), laptop, QPointF(8, 916)},
        {"no icon: 12 left of the main screen's edge",
         {100, 38},
         std::nullopt,
         laptop,
         QPointF(1404, 916)},
        {"wider than the screen: the left clamp wins",
         {1600, 38},
         icon(700),
         laptop,
         QPointF(8, 916)},
        {"icon on the second screen", {200, 38}, icon(2500), laptop, QPointF(2400, 916)},
        {"icon on no screen: the main screen, under the icon's x",
         {200, 38},
         icon(5000),
         right,
         QPointF(3224, 916)},
        {"no screen at all", {200, 38}, icon(5000), std::nullopt, std::nullopt},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(SecondaryBarPlacement::origin(c.size, c.icon, screens, c.main), c.origin)
            << c.name;
    }
}

TEST(SecondaryBarPlacementTest, AnOpenBarKeepsItsPlaceInsideItsScreen) {
    const QList<Screen> screens{screenAt(QRectF(0, 0, 1512, 982)),
                                screenAt(QRectF(1512, -98, 1920, 1080))};
    struct Case {
        const char *name;
        QSizeF size;
        QRectF shown;
        std::optional<QPointF> origin;
    };
    const Case cases[] = {
        {"as it was", {200, 38}, {900, 916, 200, 38}, QPointF(900, 916)},
        {"grown: its left edge stays", {300, 38}, {900, 916, 200, 38}, QPointF(900, 916)},
        {"grown past the right edge: back 8 inside",
         {300, 38},
         {1250, 916, 200, 38},
         QPointF(1204, 916)},
        {"wider than the screen: the left clamp wins",
         {1600, 38},
         {900, 916, 200, 38},
         QPointF(8, 916)},
        {"on the second screen", {300, 38}, {3200, 916, 200, 38}, QPointF(3124, 916)},
        {"its screen gone", {200, 38}, {5000, 916, 200, 38}, std::nullopt},
        {"its screen now lower than it", {200, 38}, {900, 970, 200, 38}, std::nullopt},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(SecondaryBarPlacement::keptOrigin(c.size, c.shown, screens), c.origin) << c.name;
    }
}

TEST(SecondaryBarPlacementTest, StripSizeFollowsItsPictures) {
    EXPECT_EQ(SecondaryBarPlacement::stripSize({}, 80), QSizeF(8 + 6 + 80 + 6 + 8, 38))
        << "an empty strip holds its text";
    EXPECT_EQ(SecondaryBarPlacement::stripSize({22}, 80), QSizeF(38, 38));
    EXPECT_EQ(SecondaryBarPlacement::stripSize({22, 24, 22}, 80), QSizeF(16 + 68 + 12, 38));
}

// --- The strip.

class SecondaryBarTest : public PanelsTest {
protected:
    SecondaryBarTest() : bar(mac.model(), services) { mac.fakes.log.clear(); }

    QList<MenuBarItem> hiddenItems() {
        QList<MenuBarItem> hidden;
        for (const MenuBarItem &item : mac.model().items()) {
            if (item.section == Section::hidden) {
                hidden.append(item);
            }
        }
        return hidden;
    }

    QJsonObject state() {
        QFile file(mac.dataFolder() + u"/secondary-bar.json"_s);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QJsonDocument::fromJson(file.readAll()).object();
    }

    static constexpr QRectF icon{1300, 958, 22, 24};
    SecondaryBar bar;
};

TEST_F(SecondaryBarTest, ShowsUnderTheIconAndWritesItsStateAtShowAndHide) {
    QList<MenuBarItem> items = hiddenItems();
    ASSERT_EQ(items.size(), 2);
    items[1].id.title = QString();
    bar.show(items, icon, true);
    ASSERT_TRUE(bar.panel());
    const AppWindow &server = bar.panel()->server();
    EXPECT_TRUE(bar.isVisible());
    EXPECT_TRUE(server.isVisible());
    EXPECT_FALSE(server.isKeyWindow()) << "shown without taking the keyboard";
    EXPECT_EQ(server.style().level, WindowLevel::statusBar);
    EXPECT_EQ(server.style().collectionBehavior, 257u);
    EXPECT_TRUE(server.style().nonActivating);
    const QRectF frame = server.frame();
    EXPECT_DOUBLE_EQ(frame.center().x(), icon.center().x());
    EXPECT_DOUBLE_EQ(frame.bottom(), 958 - 4) << "its top edge 4 below the bar";
    EXPECT_GT(frame.width(), 40);

    QJsonObject shown = state();
    EXPECT_EQ(shown.keys(),
              QStringList({u"frame"_s, u"includesAlwaysHidden"_s, u"items"_s, u"visible"_s}));
    EXPECT_TRUE(shown[u"visible"_s].toBool());
    EXPECT_TRUE(shown[u"includesAlwaysHidden"_s].toBool());
    EXPECT_EQ(shown[u"items"_s].toArray(),
              QJsonArray({items[0].id.title.value_or(QString()), items[1].appName}))
        << "an empty title is named by its application";
    EXPECT_EQ(shown[u"frame"_s].toArray(),
              QJsonArray({frame.x(), frame.y(), frame.width(), frame.height()}));

    bar.hide();
    EXPECT_FALSE(server.isVisible());
    const QJsonObject hidden = state();
    EXPECT_FALSE(hidden[u"visible"_s].toBool());
    EXPECT_TRUE(hidden[u"items"_s].toArray().isEmpty());
    EXPECT_EQ(hidden[u"frame"_s], shown[u"frame"_s]) << "the last frame stays";
    EXPECT_TRUE(hidden[u"includesAlwaysHidden"_s].toBool());
}

TEST_F(SecondaryBarTest, AnEmptyBarSaysNothingIsHidden) {
    bar.show({}, std::nullopt, false);
    QQuickWindow &window = bar.panel()->window();
    auto *text = window.findChild<QQuickItem *>(u"nothingHidden"_s);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->isVisible());
    EXPECT_EQ(state()[u"items"_s].toArray(), QJsonArray());
    EXPECT_DOUBLE_EQ(bar.panel()->server().frame().right(), 1512 - 8)
        << "without an icon it ends 8 from the main screen's right edge";
}

TEST_F(SecondaryBarTest, ClicksOutsideAndEscapeElsewhereCloseItClicksInsideDoNot) {
    SimEventMonitors &monitors = mac.desktop().eventMonitors();
    const int before = monitors.count();
    bar.show(hiddenItems(), icon, false);
    bar.show(hiddenItems(), icon, false);
    EXPECT_EQ(bar.dismissMonitorCount(), 2);
    EXPECT_EQ(monitors.count(), before + 2) << "showing twice leaves two monitors";

    const QPointF inside = bar.panel()->server().frame().center();
    clickAt(inside);
    EXPECT_TRUE(bar.isVisible()) << "a click on the strip is the strip's own";
    clickAt(inside, MouseButton::Right);
    EXPECT_TRUE(bar.isVisible());

    struct Case {
        const char *name;
        std::function<void()> act;
    };
    const Case closers[] = {
        {"left click elsewhere", [&] { clickAt(QPointF(200, 500)); }},
        {"right click elsewhere", [&] { clickAt(QPointF(200, 500), MouseButton::Right); }},
        {"Escape in another app", [&] { mac.desktop().userInput().pressKey(KeyCode::escape); }},
    };
    for (const Case &c : closers) {
        bar.show(hiddenItems(), icon, false);
        mac.desktop().userInput().pressKey(0);
        ASSERT_TRUE(bar.isVisible()) << c.name << ": another key leaves it open";
        c.act();
        EXPECT_FALSE(bar.isVisible()) << c.name;
        EXPECT_EQ(bar.dismissMonitorCount(), 0) << c.name;
        EXPECT_EQ(monitors.count(), before) << c.name;
    }
}

TEST_F(SecondaryBarTest, ATapClosesTheStripThenClicksTheItem) {
    const QList<MenuBarItem> items = hiddenItems();
    bar.show(items, icon, false);
    mac.fakes.log.clear();
    bar.onTap(1);
    EXPECT_FALSE(bar.isVisible());
    EXPECT_FALSE(state()[u"visible"_s].toBool());
    clock.settle();
    EXPECT_EQ(engineCalls(u"engine.activate"_s), 1);
    const auto &opened = mac.engine().mock().activations();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].id, items[1].id);
    EXPECT_EQ(opened[0].click, ClickKind::left);

    bar.onTap(7);
    clock.settle();
    EXPECT_EQ(engineCalls(u"engine.activate"_s), 1) << "a row that is not there does nothing";
}

// While the strip is open the bar is read again and again (a run re-sorts and fills the lane):
// the cells stay where the user saw them and a tap opens the item of the cell tapped. Items are
// named by their application; "Dropbox:Syncing" is Dropbox with a new title, and a name the model
// does not hold is an item that has left the bar. An application that quits leaves its item listed,
// dormant, where the layout places it.
TEST_F(SecondaryBarTest, WhileOpenItsCellsHoldStillAndATapOpensTheCellsItem) {
    const auto item = [&](const QString &description) {
        const QString name = description.section(u':', 0, 0);
        const QList<MenuBarItem> &onTheBar = mac.model().items();
        const auto found = std::find_if(onTheBar.cbegin(), onTheBar.cend(),
                                        [&](const MenuBarItem &i) { return i.appName == name; });
        MenuBarItem made = found != onTheBar.cend() ? *found : onTheBar.front();
        if (found == onTheBar.cend()) {
            made.id.bundleID = u"com.example."_s + name;
            made.appName = name;
            made.id.title = name;
        }
        if (description.contains(u':')) {
            made.id.title = description.section(u':', 1);
        }
        return made;
    };
    const auto items = [&](const QStringList &descriptions) {
        QList<MenuBarItem> list;
        for (const QString &description : descriptions) {
            list.append(item(description));
        }
        return list;
    };
    struct Case {
        const char *name;
        // The lane as read at the showing, then at each read while open.
        QList<QStringList> reads;
        // Closed and shown again with the last read.
        bool reopened;
        QStringList cells;
        int tapped;
        // The application of the item the tap opens; none when it opens nothing.
        std::optional<QString> opened;
        // The application that quits once the strip is shown: the engine lists its item dormant,
        // as one the layout still places, and can no longer open it.
        QString quits = {};
    };
    const Case cases[] = {
        {"re-sorted: the order shown stays and the tapped cell opens",
         {{u"Dropbox"_s, u"Fantastical"_s, u"1Password"_s},
          {u"1Password"_s, u"Dropbox"_s, u"Fantastical"_s}},
         false,
         {u"Dropbox"_s, u"Fantastical"_s, u"1Password"_s},
         2,
         u"1Password"_s},
        {"a new item goes at the end",
         {{u"Dropbox"_s, u"Fantastical"_s}, {u"TextExpander"_s, u"Dropbox"_s, u"Fantastical"_s}},
         false,
         {u"Dropbox"_s, u"Fantastical"_s, u"TextExpander"_s},
         0,
         u"Dropbox"_s},
        {"an item gone from the bar leaves a cell that does nothing",
         {{u"Dropbox"_s, u"Rectangle"_s, u"Fantastical"_s}, {u"Fantastical"_s, u"Dropbox"_s}},
         false,
         {u"Dropbox"_s, u"Rectangle"_s, u"Fantastical"_s},
         1,
         std::nullopt},
        {"pictures and titles follow their items",
         {{u"Dropbox"_s, u"Fantastical"_s}, {u"Fantastical"_s, u"Dropbox:Syncing"_s}},
         false,
         {u"Syncing"_s, u"Fantastical"_s},
         0,
         u"Dropbox"_s},
        {"an item back takes its cell again",
         {{u"Dropbox"_s, u"TextExpander"_s, u"Fantastical"_s},
          {u"Dropbox"_s, u"Fantastical"_s},
          {u"Fantastical"_s, u"TextExpander:Snippets"_s, u"Dropbox"_s}},
         false,
         {u"Dropbox"_s, u"Snippets"_s, u"Fantastical"_s},
         1,
         u"TextExpander"_s},
        {"shown again it takes the bar's order",
         {{u"Dropbox"_s, u"Fantastical"_s, u"1Password"_s},
          {u"1Password"_s, u"Dropbox"_s, u"Fantastical"_s}},
         true,
         {u"1Password"_s, u"Dropbox"_s, u"Fantastical"_s},
         0,
         u"1Password"_s},
        {"the cell of an item whose application quit does nothing",
         {{u"Dropbox"_s, u"Fantastical"_s}, {u"Fantastical"_s}},
         false,
         {u"Dropbox"_s, u"Fantastical"_s},
         0,
         std::nullopt,
         u"Dropbox"_s},
    };
    // Zorv's icon moves while the strip is open; the strip stays where it was shown.
    constexpr QRectF movedIcon{1100, 958, 22, 24};
    for (const Case &c : cases) {
        bar.hide();
        bar.show(items(c.reads.front()), icon, false);
        const QRectF shown = bar.panel()->server().frame();
        const QList<MenuBarItem> listed = mac.model().items();
        if (!c.quits.isEmpty()) {
            QList<MenuBarItem> afterQuit = listed;
            for (MenuBarItem &gone : afterQuit) {
                if (gone.appName == c.quits) {
                    gone.pid = 0;
                    gone.frame = QRectF();
                    gone.isDormant = true;
                }
            }
            mac.engine().itemsStream().push(afterQuit);
            mac.engine().failActivations(EngineError::itemNotFound);
            clock.settle();
        }
        for (const QStringList &read : c.reads.mid(1)) {
            bar.show(items(read), movedIcon, false);
        }
        const QRectF frame = bar.panel()->server().frame();
        if (c.reopened) {
            bar.hide();
            bar.show(items(c.reads.back()), movedIcon, false);
            EXPECT_DOUBLE_EQ(bar.panel()->server().frame().center().x(), movedIcon.center().x())
                << c.name << ": shown again under the icon";
        } else {
            EXPECT_EQ(frame.topLeft(), shown.topLeft()) << c.name << ": the strip holds its place";
        }
        QStringList cells;
        for (const ItemRow &row : bar.rows().rows()) {
            cells.append(row.name);
        }
        EXPECT_EQ(cells.join(u", "_s).toStdString(), c.cells.join(u", "_s).toStdString()) << c.name;
        EXPECT_EQ(state()[u"items"_s].toArray(), QJsonArray::fromStringList(c.cells)) << c.name;

        const qsizetype before = mac.engine().mock().activations().size();
        const int asked = engineCalls(u"engine.activate"_s);
        bar.onTap(c.tapped);
        clock.settle();
        const auto opened = mac.engine().mock().activations().mid(before);
        if (c.opened) {
            EXPECT_FALSE(bar.isVisible()) << c.name;
            ASSERT_EQ(opened.size(), 1) << c.name;
            EXPECT_EQ(opened[0].id, item(*c.opened).id) << c.name;
        } else {
            EXPECT_TRUE(bar.isVisible()) << c.name << ": the tap is ignored";
            EXPECT_TRUE(opened.isEmpty()) << c.name;
            EXPECT_EQ(engineCalls(u"engine.activate"_s), asked) << c.name << ": nothing is asked";
            EXPECT_FALSE(QFile::exists(mac.dataFolder() + u"/hotkey-log.txt"_s))
                << c.name << ": no failure is shown";
        }
        if (!c.quits.isEmpty()) {
            mac.engine().failActivations(std::nullopt);
            mac.engine().itemsStream().push(listed);
            clock.settle();
        }
    }
}

TEST_F(SecondaryBarTest, ARowPictureTapInTheWindowReachesTheItem) {
    bar.show(hiddenItems(), icon, false);
    QQuickWindow &window = bar.panel()->window();
    window.resize(bar.panel()->server().frame().size().toSize());
    auto *cell = findItem(window, u"item-0"_s);
    ASSERT_TRUE(cell);
    QTest::mouseClick(&window, Qt::LeftButton, {},
                      cell->mapToScene(QPointF(cell->width() / 2, cell->height() / 2)).toPoint());
    clock.settle();
    EXPECT_FALSE(bar.isVisible());
    EXPECT_EQ(engineCalls(u"engine.activate"_s), 1);
}

} // namespace
} // namespace zorv
