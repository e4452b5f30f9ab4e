#include "state/barreading.h"
#include "statetest.h"

#include <gtest/gtest.h>

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

// The always-hidden separator's left edge in these cases.
constexpr double kAlwaysSep = 200.0;

struct AlwaysHiddenCase {
    const char *name;
    // Item identifiers and their left edges (items are 20 points wide).
    QList<std::pair<QString, double>> bar;
    QStringList alwaysHidden;
    QStringList hidden;
    QStringList outOfReach;
    bool needsArranging;
};

class AlwaysHiddenOrder : public ::testing::TestWithParam<AlwaysHiddenCase> {};

TEST_P(AlwaysHiddenOrder, RevealsTheSectionOnlyForDisorderADragCanMend) {
    const AlwaysHiddenCase &c = GetParam();
    BarReading reading;
    QList<MenuBarItem> items;
    for (const auto &[identifier, left] : c.bar) {
        items.append(stateItem(identifier, left));
    }
    reading.setLastItems(items);
    QHash<MenuBarItemID, QString> outOfReach;
    for (const QString &identifier : c.outOfReach) {
        outOfReach.insert(stateId(identifier), Reachability::underHousing);
    }
    EXPECT_EQ(reading.alwaysHiddenOutOfOrder(kAlwaysSep, stateLayout({}, c.hidden, c.alwaysHidden),
                                             outOfReach),
              c.needsArranging);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AlwaysHiddenOrder,
    ::testing::Values(
        AlwaysHiddenCase{"InOrder",
                         {{u"a"_s, 100}, {u"b"_s, 140}, {u"h"_s, 240}},
                         {u"a"_s, u"b"_s},
                         {u"h"_s},
                         {},
                         false},
        AlwaysHiddenCase{
            "OutOfOrder", {{u"b"_s, 100}, {u"a"_s, 140}}, {u"a"_s, u"b"_s}, {}, {}, true},
        AlwaysHiddenCase{"OutOfOrderOnlyThroughAnItemOutOfReach",
                         {{u"b"_s, 100}, {u"a"_s, 140}},
                         {u"a"_s, u"b"_s},
                         {},
                         {u"b"_s},
                         false},
        AlwaysHiddenCase{"AnAlwaysHiddenItemRightOfItsSeparator",
                         {{u"a"_s, 100}, {u"b"_s, 220}},
                         {u"a"_s, u"b"_s},
                         {},
                         {},
                         true},
        AlwaysHiddenCase{"OutOfItsLaneOnlyBehindTheHousing",
                         {{u"a"_s, 100}, {u"b"_s, 220}},
                         {u"a"_s, u"b"_s},
                         {},
                         {u"b"_s},
                         false},
        // Its centre within the lane tolerance of the separator's edge.
        AlwaysHiddenCase{
            "JustAcrossTheEdge", {{u"a"_s, 100}, {u"b"_s, 190}}, {u"a"_s, u"b"_s}, {}, {}, false},
        AlwaysHiddenCase{"AHiddenItemInTheAlwaysHiddenLane",
                         {{u"a"_s, 100}, {u"h"_s, 140}},
                         {u"a"_s},
                         {u"h"_s},
                         {},
                         true},
        AlwaysHiddenCase{"AHiddenItemThereOutOfReach",
                         {{u"a"_s, 100}, {u"h"_s, 140}},
                         {u"a"_s},
                         {u"h"_s},
                         {u"h"_s},
                         false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(BarReadingTest, AsksWhetherAnApplicationIsInstalledOncePerBundle) {
    BarReading reading;
    QStringList asked;
    const auto lookUp = [&asked](const QString &bundleID) {
        asked.append(bundleID);
        return bundleID == u"com.example.here"_s;
    };
    EXPECT_TRUE(reading.isInstalled(u"com.example.here"_s, lookUp));
    EXPECT_FALSE(reading.isInstalled(u"com.example.gone"_s, lookUp));
    EXPECT_TRUE(reading.isInstalled(u"com.example.here"_s, lookUp));
    EXPECT_FALSE(reading.isInstalled(u"com.example.gone"_s, lookUp));
    EXPECT_EQ(asked, (QStringList{u"com.example.here"_s, u"com.example.gone"_s}));
}

TEST(BarReadingTest, ReportsTheCleanedLayoutTheFirstTimeAndOnEveryChange) {
    BarReading reading;
    EXPECT_TRUE(reading.flushLayout(false));
    EXPECT_FALSE(reading.flushLayout(false));
    EXPECT_TRUE(reading.flushLayout(true));
}

TEST(BarReadingTest, ListsApplicationsWhoseIdentitiesOutnumberTheirItems) {
    BarReading reading;
    // One item seen under three identities, and a steady one of another application.
    MenuBarItem steady = stateItem(u"steady"_s, 300);
    steady.id.bundleID = u"com.example.steady"_s;
    for (const QString &identifier : {u"one"_s, u"two"_s, u"three"_s}) {
        reading.setLastItems({stateItem(identifier, 100), steady});
        reading.recordIdentities();
    }
    const QJsonArray churn = reading.identityChurn();
    ASSERT_EQ(churn.size(), 1);
    EXPECT_EQ(churn.at(0).toObject(),
              (QJsonObject{{u"bundleID"_s, kStateApp}, {u"identities"_s, 3}, {u"liveItems"_s, 1}}));
}

TEST(BarReadingTest, KeepsASilentApplicationsItemsUnderTheLayoutAsItNowStands) {
    BarReading reading;
    MenuBarItem other = stateItem(u"other"_s, 200);
    other.pid = 9;
    MenuBarItem dormant = stateItem(u"dormant"_s, 0, 0);
    dormant.isDormant = true;
    reading.setLastItems({stateItem(u"a"_s, 100), other, dormant});
    QHash<MenuBarItemID, QRectF> frames;
    const QList<MenuBarItem> kept =
        reading.itemsOf({7}, stateLayout({}, {u"a"_s}), {stateId(u"a"_s)}, frames);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept.first().section, Section::hidden);
    EXPECT_TRUE(kept.first().isUnmovable);
    EXPECT_EQ(frames.keys(), QList<MenuBarItemID>{stateId(u"a"_s)});
}

} // namespace
} // namespace zorv::testing
