#include "lanefixture.h"
#include "laneitems.h"
#include "sectionitems.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

class LaneModelTest : public ::testing::Test, protected LaneFixture {
protected:
    LaneModel &lane(Section section) {
        switch (section) {
        case Section::shown:
            return shown;
        case Section::hidden:
            return hidden;
        case Section::alwaysHidden:
            return alwaysHidden;
        }
        return shown;
    }
    // The payload a chip of that name carries in a drag.
    QVariantMap payloadOf(const QString &name) {
        for (LaneModel *each : {&shown, &hidden, &alwaysHidden}) {
            const int row = int(names(*each).indexOf(name));
            if (row >= 0) {
                return role(*each, row, LaneModel::PayloadRole).toMap();
            }
        }
        ADD_FAILURE() << "no chip " << name.toStdString();
        return {};
    }
};

TEST_F(LaneModelTest, ListsOnlyOtherAppsItemsInTheWantedOrder) {
    EXPECT_EQ(names(shown), QStringList({u"Alpha"_s, u"Beta"_s, u"Gamma"_s}));
    EXPECT_EQ(names(hidden), QStringList({u"Delta"_s, u"Epsilon"_s}));
    EXPECT_EQ(names(alwaysHidden), QStringList());
    EXPECT_EQ(shown.title(), u"Shown"_s);
    EXPECT_EQ(alwaysHidden.title(), u"Always Hidden"_s);
    // The system's own items are not in any lane.
    EXPECT_EQ(model.items().size(), 10);
}

struct ListedCase {
    const char *bundle;
    const char *title;
    bool listed;
};

TEST(LaneItemsTest, LeavesOutWhatMacOSPinsAndTheOtherManager) {
    const ListedCase cases[] = {
        {"com.apple.controlcenter.bluetooth", "Bluetooth", false},
        {"com.apple.systemuiserver", "Siri", false},
        {"com.apple.Spotlight", "Search", false},
        {"com.apple.Siri", "Siri", false},
        {"com.apple.siri", "Siri", true},
        {"com.surteesstudios.Bartender", "Bartender", false},
        {"com.surteesstudios.Bartender-setapp", "Bartender", false},
        {"com.apple.clock", "Clock", false},
        {"com.apple.clock", "Clocks", true},
        {"com.apple.meter", "Battery Health", false},
        {"com.apple.net", "WIFI", false},
        {"com.apple.net", "Wi-Fi Signal", true},
        {"com.example.alpha", "Alpha", true},
        // Other applications' items are theirs to name: only Apple's readouts are pinned.
        {"com.example.batterytoolkit", "Battery Toolkit", true},
        {"com.example.clock", "Clock", true},
        {"com.example.net", "WIFI", true},
        {"com.applesauce.meter", "Battery", true},
    };
    for (const ListedCase &c : cases) {
        MenuBarItem item{
            .id = {QString::fromLatin1(c.bundle), std::nullopt, QString::fromLatin1(c.title), 0},
            .pid = 1,
            .appName = u"App"_s,
            .frame = {},
            .appIcon = std::nullopt,
            .capturedImage = std::nullopt,
            .section = Section::shown,
            .isNotchObscured = false,
            .isDormant = false,
            .isUnmovable = false};
        EXPECT_EQ(isArrangeable(item), c.listed) << c.bundle << " " << c.title;
    }
}

TEST_F(LaneModelTest, ChipsCarryTheirPictureBadgesAndHelp) {
    struct Case {
        LaneModel *lane;
        int row;
        const char *kind;
        QSizeF size;
        const char *help;
    };
    const Case cases[] = {
        {&shown, 0, "capture", QSizeF(22, 18), "Alpha"},
        {&shown, 1, "icon", QSizeF(22, 22), "Beta"},
        {&shown, 2, "none", QSizeF(), "Gamma"},
        // Dormancy goes first in the text, the notch's dot on the chip.
        {&hidden, 0, "none", QSizeF(), "Delta (not running)"},
        {&hidden, 1, "none", QSizeF(),
         "Epsilon: macOS won't let Zorv move this one. Command-drag it in the menu bar yourself."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.help);
        EXPECT_EQ(role(*c.lane, c.row, LaneModel::PictureKindRole), QString::fromLatin1(c.kind));
        EXPECT_EQ(role(*c.lane, c.row, LaneModel::PictureSizeRole).toSizeF(), c.size);
        EXPECT_EQ(role(*c.lane, c.row, LaneModel::HelpRole), QString::fromUtf8(c.help));
        EXPECT_EQ(role(*c.lane, c.row, LaneModel::PictureRole).toUrl().isEmpty(), c.size.isEmpty());
    }
    EXPECT_TRUE(role(hidden, 0, LaneModel::DormantRole).toBool());
    EXPECT_TRUE(role(hidden, 0, LaneModel::NotchObscuredRole).toBool());

    MenuBarItem notched = item(u"n"_s, u"Notched"_s, Section::hidden, 0);
    notched.isNotchObscured = true;
    notched.isUnmovable = true;
    EXPECT_EQ(LaneItems::helpText(notched),
              u"Notched: behind the notch, so macOS isn't drawing it"_s);
    // A lane the bar cannot put the item in yet is said before its pin: what stands in the way
    // and what lets the move happen. The dump and the logs say it shorter.
    using Obstacle = UnplacedReason::Obstacle;
    const struct {
        Section lane;
        UnplacedReason why;
        const char *help;
        const char *dump;
    } waitingCases[] = {
        {Section::alwaysHidden,
         {Obstacle::menus, false, false, true},
         "Waiting: covered by the menus of the app in front; Zorv moves it to Always Hidden once "
         "an app with shorter menus, such as Finder, is in front.",
         "under the menus"},
        {Section::hidden,
         {Obstacle::cameraHousing},
         "Waiting: behind the camera housing; Zorv moves it to Hidden once it comes out from "
         "behind it.",
         "behind the camera housing"},
        {Section::shown,
         {Obstacle::screenEdge},
         "Waiting: past the edge of the screen; Zorv moves it to Shown once the menu bar has "
         "room for it.",
         "off screen"},
        {Section::hidden,
         {Obstacle::notAnswering},
         "Waiting: its app isn't responding; Zorv moves it to Hidden once its app responds "
         "again.",
         "not answering"},
        {Section::hidden,
         {Obstacle::menus, true},
         "Waiting: Hidden is under the menus of the app in front; Zorv moves it there once an app "
         "with shorter menus is in front.",
         "its lane under the menus"},
        {Section::hidden,
         {Obstacle::cameraHousing, true},
         "Waiting: Hidden is behind the camera housing; Zorv moves it there once that part of the "
         "menu bar comes out from behind it.",
         "its lane behind the camera housing"},
        {Section::alwaysHidden,
         {Obstacle::screenEdge, true, true},
         "Waiting: hidden for now, not yet always hidden: Always Hidden is past the edge of the "
         "screen; Zorv moves it there once the menu bar has room.",
         "its lane off screen, hidden for now"},
        {Section::alwaysHidden,
         {Obstacle::menus, false, true},
         "Waiting: covered by the menus of the app in front; Zorv moves it to Hidden for now once "
         "an app with shorter menus is in front.",
         "under the menus, hidden for now"},
    };
    for (const auto &c : waitingCases) {
        MenuBarItem waiting = item(u"w"_s, u"Waiting"_s, c.lane, 0);
        waiting.unplacedBecause = c.why;
        waiting.isUnmovable = true;
        EXPECT_EQ(LaneItems::helpText(waiting), QString::fromUtf8(c.help));
        EXPECT_EQ(c.why.text(), QString::fromUtf8(c.dump));
    }
}

TEST(LaneItemsTest, ADropLandsBeforeTheFirstMiddleRightOfIt) {
    struct Case {
        QList<qreal> middles;
        qreal x;
        int index;
    };
    const Case cases[] = {
        {{}, 500, 0},           {{23, 61, 99}, 0, 0},  {{23, 61, 99}, 22.9, 0},
        {{23, 61, 99}, 23, 1},  {{23, 61, 99}, 60, 1}, {{23, 61, 99}, 99, 3},
        {{23, 61, 99}, 400, 3},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(LaneItems::dropIndex(c.middles, c.x), c.index) << c.x;
    }
}

TEST_F(LaneModelTest, OnlyMeasuredChipsCountForTheDropIndex) {
    EXPECT_EQ(shown.dropIndex(200), 0);
    shown.reportFrame(role(shown, 0, LaneModel::KeyRole).toString(), QRectF(8, 13, 30, 26));
    shown.reportFrame(role(shown, 2, LaneModel::KeyRole).toString(), QRectF(84, 13, 30, 26));
    // A frame for a key no chip has is ignored.
    shown.reportFrame(u"nobody"_s, QRectF(40, 13, 30, 26));
    EXPECT_EQ(shown.dropIndex(50), 1);
    EXPECT_EQ(shown.dropIndex(100), 2);
}

struct DropCase {
    const char *name;
    Section lane;
    const char *dragged;
    qreal x;
    QStringList shown;
    QStringList hidden;
    QStringList alwaysHidden;
    bool moves;
};

void PrintTo(const DropCase &c, std::ostream *out) {
    *out << c.name;
}

class LaneDropTest : public LaneModelTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(LaneDropTest, MovesTheItemBeforeTheChipAtTheDrop) {
    const DropCase &c = GetParam();
    for (LaneModel *each : {&shown, &hidden, &alwaysHidden}) {
        measure(*each);
    }
    const qsizetype movesBefore = mac.engine().moves().size();
    EXPECT_TRUE(lane(c.lane).drop(c.x, payloadOf(QString::fromLatin1(c.dragged))));
    mac.advance(1);
    EXPECT_EQ(names(shown), c.shown);
    EXPECT_EQ(names(hidden), c.hidden);
    EXPECT_EQ(names(alwaysHidden), c.alwaysHidden);
    EXPECT_EQ(mac.engine().moves().size() - movesBefore, c.moves ? 1 : 0);
    EXPECT_EQ(mac.engine().reconciles().contains(u"user-move"_s), c.moves);
    EXPECT_EQ(lane(c.lane).insertionIndex(), -1);
}

const QStringList abc{u"Alpha"_s, u"Beta"_s, u"Gamma"_s};
const QStringList de{u"Delta"_s, u"Epsilon"_s};

INSTANTIATE_TEST_SUITE_P(
    Drops, LaneDropTest,
    ::testing::Values(
        DropCase{"BeforeTheFirst",
                 Section::shown,
                 "Gamma",
                 10,
                 {u"Gamma"_s, u"Alpha"_s, u"Beta"_s},
                 de,
                 {},
                 true},
        DropCase{
            "JustLeftOfItsOwnMiddleIsNothing", Section::shown, "Alpha", 20, abc, de, {}, false},
        DropCase{
            "JustRightOfItsOwnMiddleKeepsTheOrder", Section::shown, "Alpha", 30, abc, de, {}, true},
        DropCase{"PastEveryMiddleAppends",
                 Section::shown,
                 "Alpha",
                 300,
                 {u"Beta"_s, u"Gamma"_s, u"Alpha"_s},
                 de,
                 {},
                 true},
        DropCase{"FromAnotherLane",
                 Section::shown,
                 "Delta",
                 50,
                 {u"Alpha"_s, u"Delta"_s, u"Beta"_s, u"Gamma"_s},
                 {u"Epsilon"_s},
                 {},
                 true},
        DropCase{"OnAnEmptyLane",
                 Section::alwaysHidden,
                 "Beta",
                 0,
                 {u"Alpha"_s, u"Gamma"_s},
                 de,
                 {u"Beta"_s},
                 true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LaneModelTest, RefusesPayloadsThatNameNoKnownItem) {
    measure(shown);
    const QString type = LaneModel::dragType();
    const QVariantMap alpha = payloadOf(u"Alpha"_s);
    ASSERT_EQ(alpha.keys(), QStringList{type});
    const QVariantMap strangers[] = {
        {},
        {{type, QByteArray("Alpha")}},
        {{type, QByteArray("{}")}},
        {{type, QByteArray(R"({"bundleID":"com.example.nobody","ordinal":0})")}},
        {{type, QByteArray(R"({"bundleID":"com.example.alpha","ordinal":"zero"})")}},
        // Alpha's identity, but as plain text rather than as a dragged item.
        {{u"text/plain"_s, alpha.value(type)}},
    };
    for (const QVariantMap &payload : strangers) {
        EXPECT_FALSE(shown.drop(10, payload)) << QVariant(payload).toString().toStdString();
    }
    mac.advance(1);
    EXPECT_TRUE(mac.engine().moves().isEmpty());
    EXPECT_EQ(names(shown), abc);
}

TEST_F(LaneModelTest, TheCaretFadesAMomentAfterTheLastDragUpdate) {
    measure(shown);
    shown.dragMoved(50);
    EXPECT_EQ(shown.insertionIndex(), 1);
    EXPECT_TRUE(shown.targeted());
    mac.advance(0.7);
    shown.dragMoved(70);
    EXPECT_EQ(shown.insertionIndex(), 2);
    mac.advance(0.7);
    // Renewed: 1.4 s after the first update, 0.7 s after the last.
    EXPECT_EQ(shown.insertionIndex(), 2);
    mac.advance(0.11);
    EXPECT_EQ(shown.insertionIndex(), -1);
    EXPECT_FALSE(shown.targeted());

    shown.dragMoved(300);
    EXPECT_EQ(shown.insertionIndex(), 3);
    shown.dragExited();
    EXPECT_EQ(shown.insertionIndex(), -1);
    EXPECT_FALSE(shown.targeted());
}

TEST_F(LaneModelTest, AChipHoveredAMomentShowsItsNameAboveIt) {
    const QString alpha = role(shown, 0, LaneModel::KeyRole).toString();
    const QString beta = role(shown, 1, LaneModel::KeyRole).toString();
    // Without a measured frame there is nowhere to put the bubble.
    shown.setHover(alpha, true);
    mac.advance(0.4);
    EXPECT_EQ(shown.bubbleName(), QString());

    measure(shown);
    EXPECT_EQ(shown.bubbleName(), u"Alpha"_s);
    EXPECT_EQ(shown.bubbleCentre(), QPointF(23, 13 - 16));

    // The bubble follows its chip's frame, and says so; another chip's frame leaves it be.
    QSignalSpy moved(&shown, &LaneModel::bubbleChanged);
    shown.reportFrame(alpha, QRectF(20, 13, 40, 26));
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(shown.bubbleCentre(), QPointF(40, 13 - 16));
    shown.reportFrame(beta, QRectF(70, 13, 30, 26));
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(shown.bubbleCentre(), QPointF(40, 13 - 16));
    measure(shown);

    // Moving on to another chip: its bubble comes 0.3 s later, and leaving the first chip
    // afterwards does not take it away.
    shown.setHover(beta, true);
    mac.advance(0.29);
    EXPECT_EQ(shown.bubbleName(), u"Alpha"_s);
    mac.advance(0.02);
    EXPECT_EQ(shown.bubbleName(), u"Beta"_s);
    shown.setHover(alpha, false);
    EXPECT_EQ(shown.bubbleName(), u"Beta"_s);

    // Leaving before the delay is over cancels the bubble.
    shown.setHover(beta, false);
    shown.setHover(alpha, true);
    shown.setHover(alpha, false);
    mac.advance(0.5);
    EXPECT_EQ(shown.bubbleName(), QString());
}

TEST_F(LaneModelTest, TheContextMenuMovesToTheEndOfAnotherLane) {
    const QVariantList menu = hidden.moveMenu(0);
    ASSERT_EQ(menu.size(), 3);
    QStringList texts;
    QList<bool> current;
    for (const QVariant &entry : menu) {
        texts.append(entry.toMap().value(u"text"_s).toString());
        current.append(entry.toMap().value(u"current"_s).toBool());
    }
    EXPECT_EQ(texts,
              QStringList({u"Move to Shown"_s, u"Move to Hidden"_s, u"Move to Always Hidden"_s}));
    EXPECT_EQ(current, QList<bool>({false, true, false}));
    EXPECT_TRUE(hidden.moveMenu(7).isEmpty());

    EXPECT_FALSE(hidden.moveTo(0, u"hidden"_s));
    EXPECT_FALSE(hidden.moveTo(5, u"shown"_s));
    EXPECT_FALSE(hidden.moveTo(0, u"Shown"_s));
    EXPECT_TRUE(hidden.moveTo(0, u"shown"_s));
    mac.advance(1);
    EXPECT_EQ(names(shown), QStringList({u"Alpha"_s, u"Beta"_s, u"Gamma"_s, u"Delta"_s}));
    EXPECT_EQ(names(hidden), QStringList({u"Epsilon"_s}));
}

// The items change under the pane all the time (a frame moves whenever the clock's width does),
// and items come, go and reorder: a lane tells its views only what changed, chip by chip, so the
// chip being hovered, dragged or whose menu is open stays with its item.
TEST_F(LaneModelTest, ChangesOnlyTheChipsWhoseItemsChanged) {
    struct Heard {
        int inserted = 0;
        int removed = 0;
        int moved = 0;
        int changed = 0;
        int resets = 0;
    };
    Heard heard;
    QObject::connect(
        &shown, &QAbstractItemModel::rowsInserted, &shown,
        [&heard](const QModelIndex &, int first, int last) { heard.inserted += last - first + 1; });
    QObject::connect(
        &shown, &QAbstractItemModel::rowsRemoved, &shown,
        [&heard](const QModelIndex &, int first, int last) { heard.removed += last - first + 1; });
    QObject::connect(&shown, &QAbstractItemModel::rowsMoved, &shown,
                     [&heard] { heard.moved += 1; });
    QObject::connect(&shown, &QAbstractItemModel::dataChanged, &shown,
                     [&heard](const QModelIndex &first, const QModelIndex &last) {
                         heard.changed += last.row() - first.row() + 1;
                     });
    QObject::connect(&shown, &QAbstractItemModel::modelReset, &shown,
                     [&heard] { heard.resets += 1; });
    measure(shown);
    const QString gamma = role(shown, 2, LaneModel::KeyRole).toString();
    shown.setHover(gamma, true);
    mac.advance(0.4);
    ASSERT_EQ(shown.bubbleName(), u"Gamma"_s);

    // The user moves an item within the lane: its chip moves rather than every chip changing.
    ASSERT_TRUE(shown.drop(300, payloadOf(u"Alpha"_s)));
    mac.advance(1);
    EXPECT_EQ(names(shown), QStringList({u"Beta"_s, u"Gamma"_s, u"Alpha"_s}));
    EXPECT_EQ(heard.resets, 0);
    EXPECT_EQ(heard.inserted + heard.removed, 0);
    EXPECT_GE(heard.moved, 1);
    EXPECT_EQ(shown.bubbleName(), u"Gamma"_s);

    const auto named = [](QList<MenuBarItem> &items, const QString &name) -> MenuBarItem & {
        const auto found = std::ranges::find(items, name, &MenuBarItem::appName);
        EXPECT_NE(found, items.end()) << name.toStdString();
        return *found;
    };
    struct Change {
        const char *name;
        std::function<void(QList<MenuBarItem> &)> apply;
        QStringList names;
        Heard heard;
    };
    const Change changes[] = {
        {"every frame moves",
         [](QList<MenuBarItem> &items) {
             for (MenuBarItem &each : items) {
                 each.frame.translate(-7, 0);
             }
         },
         {u"Beta"_s, u"Gamma"_s, u"Alpha"_s},
         {}},
        {"an item comes into the lane",
         [](QList<MenuBarItem> &items) {
             items.append(item(u"com.example.zeta"_s, u"Zeta"_s, Section::shown, 500));
         },
         {u"Beta"_s, u"Gamma"_s, u"Alpha"_s, u"Zeta"_s},
         {.inserted = 1}},
        {"another item's app stops",
         [&named](QList<MenuBarItem> &items) { named(items, u"Beta"_s).isDormant = true; },
         {u"Beta"_s, u"Gamma"_s, u"Alpha"_s, u"Zeta"_s},
         {.changed = 1}},
        {"an item before it goes",
         [](QList<MenuBarItem> &items) {
             items.removeIf([](const MenuBarItem &each) { return each.appName == u"Beta"_s; });
         },
         {u"Gamma"_s, u"Alpha"_s, u"Zeta"_s},
         {.removed = 1}},
        {"an item of another lane changes",
         [&named](QList<MenuBarItem> &items) { named(items, u"Epsilon"_s).isUnmovable = false; },
         {u"Gamma"_s, u"Alpha"_s, u"Zeta"_s},
         {}},
    };
    QList<MenuBarItem> items = model.items();
    for (const Change &change : changes) {
        SCOPED_TRACE(change.name);
        heard = {};
        change.apply(items);
        mac.engine().itemsStream().push(items);
        settle();
        EXPECT_EQ(names(shown), change.names);
        EXPECT_EQ(heard.inserted, change.heard.inserted);
        EXPECT_EQ(heard.removed, change.heard.removed);
        EXPECT_EQ(heard.changed, change.heard.changed);
        EXPECT_EQ(heard.resets, 0);
        EXPECT_EQ(shown.bubbleName(), u"Gamma"_s) << "the hovered chip keeps its bubble";
    }
}

} // namespace
} // namespace zorv
