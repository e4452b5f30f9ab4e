#include "discovery/ordinalregistry.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using Sighting = OrdinalRegistry::Sighting;

Sighting named(const char *identifier, int width = 22) {
    return {QString::fromLatin1(identifier), std::nullopt, width};
}
Sighting titled(const char *title, int width) {
    return {std::nullopt, QString::fromLatin1(title), width};
}
Sighting blank(int width = 22) {
    return {std::nullopt, std::nullopt, width};
}

struct ScanCase {
    const char *name;
    // One process's scans, oldest first; the last one is checked.
    QList<QList<Sighting>> scans;
    QList<int> expected;
};

class OrdinalRegistryScans : public ::testing::TestWithParam<ScanCase> {};

TEST_P(OrdinalRegistryScans, RecognisesItemsAcrossScans) {
    OrdinalRegistry registry;
    QList<int> ordinals;
    for (const QList<Sighting> &scan : GetParam().scans) {
        ordinals = registry.slots(7, scan);
    }
    EXPECT_EQ(ordinals, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OrdinalRegistryScans,
    ::testing::Values(
        ScanCase{
            "FirstSightingCountsFromTheLeft", {{blank(), titled("B", 30), named("c")}}, {0, 1, 2}},
        ScanCase{
            "IdentifiersWinOverTitleWidthAndOrder",
            {{named("x", 20), named("y", 22)}, {{u"y"_s, u"new"_s, 40}, {u"x"_s, u"other"_s, 30}}},
            {1, 0}},
        ScanCase{"RetitledItemKeptByItsWidth",
                 {{titled("A", 20), titled("B", 30)}, {titled("B", 30), titled("Z", 20)}},
                 {1, 0}},
        ScanCase{"ResizedItemKeptByItsTitle",
                 {{titled("A", 30), titled("B", 30)}, {titled("B", 30), titled("A", 34)}},
                 {1, 0}},
        ScanCase{"AmbiguousKeysNeverDecide",
                 {{titled("A", 20), titled("A", 24)}, {titled("A", 24), titled("A", 20)}},
                 {1, 0}},
        ScanCase{"IdenticalItemsKeptByPosition",
                 {{blank(), blank(), blank()}, {blank(), blank(), blank()}},
                 {0, 1, 2}},
        ScanCase{"OneMoreIdenticalItemMakesAllFresh",
                 {{blank(), blank(), blank()}, {blank(), blank(), blank(), blank()}},
                 {3, 4, 5, 6}},
        ScanCase{"IdenticalItemsBetweenAnchorsSurviveChangesElsewhere",
                 {{named("L"), blank(), blank(), named("R"), blank()},
                  {blank(18), named("L"), blank(), blank(), named("R")}},
                 {5, 0, 1, 2, 3}},
        ScanCase{"DepartedItemKeepsItsSlotReserved",
                 {{titled("A", 20), titled("B", 24)},
                  {titled("A", 20)},
                  {titled("C", 26), titled("A", 20)}},
                 {2, 0}},
        ScanCase{"ReturningItemGetsItsOldSlot",
                 {{titled("A", 20), titled("B", 24)},
                  {titled("A", 20)},
                  {titled("C", 26), titled("A", 20)},
                  {titled("A", 20), titled("B", 24), titled("C", 26)}},
                 {0, 1, 2}},
        ScanCase{"EmptyScanKeepsOccupants", {{titled("A", 20)}, {}, {titled("A", 20)}}, {0}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(OrdinalRegistry, ForgottenProcessStartsAgainWhileFreshCountOnlyGrows) {
    OrdinalRegistry registry;
    EXPECT_EQ(registry.slots(1, {blank(), blank()}), (QList<int>{0, 1}));
    EXPECT_EQ(registry.slots(2, {blank()}), (QList<int>{0}));
    EXPECT_EQ(registry.freshAssignments(), 3);

    registry.retain({2});
    EXPECT_EQ(registry.applicationCount(), 1);
    EXPECT_EQ(registry.slots(1, {blank(), blank(), blank()}), (QList<int>{0, 1, 2}));
    EXPECT_EQ(registry.slots(2, {blank()}), (QList<int>{0})) << "kept, not fresh";
    EXPECT_EQ(registry.freshAssignments(), 6);
    EXPECT_EQ(registry.applicationCount(), 2);
}

} // namespace
} // namespace zorv
