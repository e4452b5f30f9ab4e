#include "appmodel/modelsearch.h"
#include "appmodel/aliassuggestion.h"
#include "appmodelharness.h"
#include "storage/wholefile.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

MenuBarItem featureItem(const QString &bundleID, const QString &name, qint64 ordinal,
                        Section section, double x, std::optional<QString> axIdentifier = {}) {
    return MenuBarItem{MenuBarItemID{bundleID, std::move(axIdentifier), std::nullopt, ordinal},
                       100,
                       name,
                       QRectF(x, 0, 22, 24),
                       std::nullopt,
                       std::nullopt,
                       section,
                       false,
                       false,
                       false};
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
        const MenuBarItem item = featureItem(c.bundleID, c.name, 0, Section::shown, 0);
        EXPECT_EQ(AliasSuggestion::alias(item, c.name), c.alias) << c.bundleID.toStdString();
    }
}

TEST(AliasSuggestionTest, NumbersRepeatsInOrderAndSkipsEmptyOnes) {
    const QList<AliasSuggestion::Entry> entries{
        {featureItem(u"a.one"_s, u"Slack"_s, 0, Section::shown, 0), u"Slack"_s},
        {featureItem(u"a.two"_s, u"Sleek"_s, 0, Section::shown, 0), u"Sleek Lane"_s},
        {featureItem(u"a.three"_s, u"Slow"_s, 0, Section::shown, 0), u"Sl"_s},
        {featureItem(u"com.nordvpn.x"_s, u"Nord"_s, 0, Section::shown, 0), u"Nord"_s},
        {featureItem(u"com.expressvpn.x"_s, u"Express"_s, 0, Section::shown, 0), u"Express"_s},
        {featureItem(u"a.four"_s, u"..."_s, 0, Section::shown, 0), u"..."_s},
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
    AppModelHarness mac{
        clock,
        cloud,
        u"Mac"_s,
        {featureItem(u"com.example.clock"_s, u"Clock"_s, 0, Section::shown, 10),
         featureItem(u"com.example.weather"_s, u"Weather"_s, 0, Section::shown, 40),
         featureItem(u"com.tinyspeck.slackmacgap"_s, u"Chat"_s, 0, Section::hidden, 70),
         featureItem(u"com.example.status"_s, u"Status"_s, 4, Section::hidden, 100, u"status"_s)}};
    AppModel &model = mac.started();
    QSignalSpy shortcutChanges{&model, &AppModel::shortcutsChanged};

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
        {u""_s, {u"Clock"_s, u"Weather"_s, u"Chat"_s, u"Status"_s}},
        {u"rain"_s, {u"Weather"_s}},       // the user's alias
        {u"slack"_s, {u"Chat"_s}},         // the table's suggestion
        {u"c"_s, {u"Clock"_s, u"Chat"_s}}, // first letters outrank a letter inside a name
        {u"zzz"_s, {}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(names(model.search().searchResults(c.query)), c.expected)
            << c.query.toStdString();
    }
}

TEST_F(ModelSearchTest, ItemHotKeysFindTheirItemThroughThreeTiers) {
    const struct {
        QString key;
        std::optional<QString> clicked;
    } cases[] = {
        {u"com.example.status#status##4"_s, u"com.example.status"_s}, // exact
        {u"com.example.status#status##3"_s, u"com.example.status"_s}, // ordinal changed
        {u"com.example.status#old##9"_s, u"com.example.status"_s},    // identifier changed too
        {u"com.example.status"_s, std::nullopt},                      // not a stable key
        {u"com.example.gone###0"_s, std::nullopt},
    };
    int clicks = 0;
    for (const auto &c : cases) {
        model.search().activateItem(c.key);
        clock.settle();
        const auto &activations = mac.engine().mock().activations();
        if (c.clicked) {
            ASSERT_EQ(activations.size(), ++clicks) << c.key.toStdString();
            EXPECT_EQ(activations.last().id.bundleID, *c.clicked);
            EXPECT_EQ(activations.last().click, ClickKind::left);
        } else {
            EXPECT_EQ(activations.size(), clicks) << c.key.toStdString();
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

TEST_F(ModelSearchTest, SettingAnItemHotKeySavesAndReRegisters) {
    const MenuBarItem item = mac.engine().mock().items().first();
    model.search().setItemHotkey(KeyShortcut(1, KeyShortcut::kCommand), item);
    EXPECT_EQ(model.search().itemHotkey(item), KeyShortcut(1, KeyShortcut::kCommand));
    EXPECT_EQ(shortcutChanges.count(), 1);
    model.search().setItemHotkey(std::nullopt, item);
    EXPECT_FALSE(model.search().itemHotkey(item));
    EXPECT_EQ(shortcutChanges.count(), 2);
}

} // namespace
} // namespace zorv
