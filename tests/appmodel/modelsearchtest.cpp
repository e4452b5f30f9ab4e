#include "modelsearch.h"
#include "aliassuggestion.h"
#include "appmodelharness.h"
#include "storage/wholefile.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

MenuBarItem item(const QString &bundleID, const QString &name, qint64 ordinal = 0,
                 std::optional<QString> axIdentifier = {}) {
    MenuBarItem item{};
    item.id = MenuBarItemID{bundleID, std::move(axIdentifier), std::nullopt, ordinal};
    item.appName = name;
    return item;
}

MenuBarItem dormant(MenuBarItem item) {
    item.isDormant = true;
    return item;
}

TEST(AliasSuggestionTest, DerivesFromNamesAndTheTable) {
    const struct {
        QString bundleID;
        QString name;
        QString alias;
    } cases[] = {
        {u"com.example.wifi"_s, u"Wi-Fi"_s, u"wf"_s},
        {u"com.example.battery"_s, u"Battery"_s, u"batt"_s},
        {u"com.example.dnd"_s, u"Do Not Disturb Now Please Today"_s, u"dndnp"_s},
        {u"com.example.blank"_s, u"—…"_s, u""_s},
        {u"com.linearity.curve"_s, u"Curve"_s, u"vec"_s},
        {u"com.linear.app"_s, u"Linear"_s, u"lin"_s},
        {u"us.zoom.xos"_s, u"Zoom"_s, u"zoom"_s},
        {u"COM.FIGMA.DESKTOP"_s, u"Figma"_s, u"fig"_s},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(AliasSuggestion::alias(item(c.bundleID, c.name), c.name), c.alias)
            << c.bundleID.toStdString();
    }
}

TEST(AliasSuggestionTest, NumbersRepeatsInOrderAndSkipsEmptyOnes) {
    const QList<AliasSuggestion::Entry> entries{
        {item(u"a.one"_s, u"Slack"_s), u"Slack"_s},
        {item(u"a.two"_s, u"Sleek"_s), u"Sleek Lane"_s},
        {item(u"a.three"_s, u"Slow"_s), u"Sl"_s},
        {item(u"com.nordvpn.x"_s, u"Nord"_s), u"Nord"_s},
        {item(u"com.expressvpn.x"_s, u"Express"_s), u"Express"_s},
        {item(u"a.four"_s, u"..."_s), u"..."_s},
    };
    const QHash<QString, QString> expected{
        {u"a.one###0"_s, u"slac"_s},
        {u"a.two###0"_s, u"sl"_s},
        {u"a.three###0"_s, u"sl2"_s},
        {u"com.nordvpn.x###0"_s, u"vpn"_s},
        {u"com.expressvpn.x###0"_s, u"vpn2"_s},
    };
    EXPECT_EQ(AliasSuggestion::unique(entries), expected);
}

class ModelSearchTest : public ::testing::Test {
protected:
    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock,
                        cloud,
                        u"Mac"_s,
                        {item(u"com.example.clock"_s, u"Clock"_s),
                         item(u"com.example.weather"_s, u"Weather"_s),
                         item(u"com.tinyspeck.slackmacgap"_s, u"Chat"_s),
                         item(u"com.example.status"_s, u"Other"_s, 0, u"other"_s),
                         item(u"com.example.status"_s, u"Status"_s, 4, u"status"_s),
                         dormant(item(u"com.example.sleeper"_s, u"Sleeper"_s))}};
    AppModel &model = mac.started();

    QStringList names(const QList<MenuBarItem> &items) {
        QStringList result;
        for (const MenuBarItem &item : items) {
            result.append(item.appName);
        }
        return result;
    }
};

TEST_F(ModelSearchTest, RanksNamesAliasesAndSuggestions) {
    model.search().setAlias(u"rain"_s, mac.engine().mock().items().at(1));
    const struct {
        QString query;
        QStringList expected;
    } cases[] = {
        {u""_s, {u"Clock"_s, u"Weather"_s, u"Chat"_s, u"Other"_s, u"Status"_s}},
        {u"rain"_s, {u"Weather"_s}},                       // the user's alias
        {u"slack"_s, {u"Chat"_s}},                         // the table's suggestion
        {u"c"_s, {u"Clock"_s, u"Chat"_s}},                 // equal scores keep the items' order
        {u"at"_s, {u"Weather"_s, u"Chat"_s, u"Status"_s}}, // best first, "Status" after "Chat"
        {u"r"_s, {u"Weather"_s, u"Other"_s}}, // the alias's word start beats the name's gap
        {u"tt"_s, {u"Status"_s}},             // a character is used once
        {u"sleeper"_s, {}},                   // a dormant item is never found
        {u"zzz"_s, {}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(names(model.search().searchResults(c.query)), c.expected)
            << c.query.toStdString();
    }
}

// The first alias stored for an item is its alias; aliases and item hot keys are saved and read
// back by a fresh model.
TEST_F(ModelSearchTest, AliasesAndItemHotKeysAreSavedAndTheFirstAliasCounts) {
    const MenuBarItem clockItem = mac.engine().mock().items().at(0);
    const KeyShortcut key(18, KeyShortcut::kCommand | KeyShortcut::kOption);
    const auto onDisk = [&] {
        mac.advance(2);
        return JSONStore<Settings>::peek(u"settings.json"_s, Settings{}, mac.dataFolder(), mac.log);
    };
    model.search().setAlias(u"tick"_s, clockItem);
    EXPECT_EQ(onDisk().alias(u"com.example.clock###0"_s), u"tick"_s);
    model.search().setItemHotkey(key, clockItem);
    EXPECT_EQ(onDisk().itemHotkey(u"com.example.clock###0"_s), key);
    model.editSettings([](Settings &settings) {
        settings.itemAliases.append({u"com.example.clock###0"_s, u"tock"_s});
    });
    EXPECT_EQ(names(model.search().searchResults(u"tick"_s)), QStringList{u"Clock"_s});
    EXPECT_TRUE(model.search().searchResults(u"tock"_s).isEmpty());

    mac.advance(2);
    mac.quit();
    AppModel &fresh = mac.started();
    EXPECT_EQ(fresh.search().alias(clockItem), u"tick"_s);
    EXPECT_EQ(fresh.search().itemHotkey(clockItem), key);
    EXPECT_EQ(names(fresh.search().searchResults(u"tick"_s)), QStringList{u"Clock"_s});
}

TEST_F(ModelSearchTest, ItemHotKeysFindTheirItemThroughThreeTiers) {
    const struct {
        QString key;
        std::optional<QString> clicked; // the identifier of the item clicked
    } cases[] = {
        {u"com.example.status#status##4"_s, u"status"_s}, // exact
        {u"com.example.status#status##3"_s, u"status"_s}, // ordinal changed
        {u"com.example.status#gone##9"_s, u"other"_s}, // identifier changed: the first of the app
        {u"com.example.status"_s, std::nullopt},       // not a stable key
        {u"com.example.gone###0"_s, std::nullopt},
    };
    for (const auto &c : cases) {
        const qsizetype before = mac.engine().mock().activations().size();
        model.search().activateItem(c.key);
        clock.settle();
        const auto &activations = mac.engine().mock().activations();
        ASSERT_EQ(activations.size(), before + (c.clicked ? 1 : 0)) << c.key.toStdString();
        if (c.clicked) {
            EXPECT_EQ(activations.last().id.axIdentifier, c.clicked);
            EXPECT_EQ(activations.last().click, ClickKind::left);
        }
    }
    const QStringList log =
        QString::fromUtf8(
            readWholeFile(mac.dataFolder() + u"/hotkey-log.txt"_s).value_or(QByteArray()))
            .split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(log.size(), 5);
    EXPECT_TRUE(log[1].endsWith(u" key=com.example.status#status##3 fired -> Status"_s));
    EXPECT_TRUE(log[4].endsWith(u" key=com.example.gone###0 fired -> NO MATCH"_s));
}

// Zorv's hot keys are registered before the engine's first item list reaches the model: a key
// pressed then waits for that list and opens its item once it comes; one that waited 10 s in vain
// is logged unmatched.
TEST(ModelSearchEarlyKeyTest, AKeyPressedBeforeTheFirstListWaitsForItWithinTenSeconds) {
    ManualClock clock;
    SimCloud cloud;
    for (const bool listComes : {true, false}) {
        AppModelHarness mac{clock, cloud, u"Mac"_s, {item(u"com.example.clock"_s, u"Clock"_s)}};
        AppModel &model = mac.build();
        model.search().activateItem(u"com.example.clock###0"_s);
        mac.advance(listComes ? 9.0 : 10.5);
        EXPECT_TRUE(mac.engine().mock().activations().isEmpty());
        if (listComes) {
            mac.started();
        }
        const auto &activations = mac.engine().mock().activations();
        EXPECT_EQ(activations.size(), listComes ? 1 : 0);
        const QString log = QString::fromUtf8(
            readWholeFile(mac.dataFolder() + u"/hotkey-log.txt"_s).value_or(QByteArray()));
        EXPECT_EQ(log.contains(u"fired -> Clock"_s), listComes) << log.toStdString();
        EXPECT_EQ(log.contains(u"NO MATCH"_s), !listComes) << log.toStdString();
    }
}

} // namespace
} // namespace zorv
