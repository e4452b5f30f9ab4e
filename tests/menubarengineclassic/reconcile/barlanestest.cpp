#include "reconcile/barlanes.h"

#include <gtest/gtest.h>

namespace zorv {
namespace {

// Always-hidden separator at 300, hidden separator at 600; an item counts as out of its lane 14
// points past the lane's edge.
BarGeometry bar(bool separatorsOrdered) {
    BarGeometry geometry;
    geometry.hiddenSep = QRectF(600, 0, 8, 24);
    geometry.alwaysSep = QRectF(300, 0, 8, 24);
    geometry.iconFrame = QRectF(1400, 0, 24, 24);
    geometry.separatorsOrdered = separatorsOrdered;
    return geometry;
}

struct LaneCase {
    const char *name;
    bool separatorsOrdered;
    Section wanted;
    double midX;
    std::optional<Section> moveInto;

    friend void PrintTo(const LaneCase &laneCase, std::ostream *out) { *out << laneCase.name; }
};

class LaneToMoveInto : public ::testing::TestWithParam<LaneCase> {};

TEST_P(LaneToMoveInto, OnlyPastTheToleranceAndIntoALaneThatCounts) {
    const LaneCase &laneCase = GetParam();
    const BarGeometry geometry = bar(laneCase.separatorsOrdered);
    EXPECT_EQ(BarLanes(geometry).laneToMoveInto(laneCase.wanted, laneCase.midX), laneCase.moveInto);
}

INSTANTIATE_TEST_SUITE_P(
    BarLanes, LaneToMoveInto,
    ::testing::Values(
        LaneCase{"ShownJustInsideTheTolerance", true, Section::shown, 587, std::nullopt},
        LaneCase{"ShownPastTheTolerance", true, Section::shown, 585, Section::shown},
        LaneCase{"HiddenJustInsideOnTheRight", true, Section::hidden, 613, std::nullopt},
        LaneCase{"HiddenPastTheHiddenSeparator", true, Section::hidden, 615, Section::hidden},
        LaneCase{"HiddenJustInsideOnTheLeft", true, Section::hidden, 287, std::nullopt},
        LaneCase{"HiddenPastTheAlwaysSeparator", true, Section::hidden, 285, Section::hidden},
        LaneCase{"HiddenFarLeftWithSeparatorsOutOfOrder", false, Section::hidden, 100,
                 std::nullopt},
        LaneCase{"AlwaysHiddenJustInside", true, Section::alwaysHidden, 313, std::nullopt},
        LaneCase{"AlwaysHiddenPastItsSeparator", true, Section::alwaysHidden, 315,
                 Section::alwaysHidden},
        LaneCase{"AlwaysHiddenInTheHiddenLaneOutOfOrder", false, Section::alwaysHidden, 400,
                 std::nullopt},
        LaneCase{"AlwaysHiddenShownOutOfOrderGoesHiddenFirst", false, Section::alwaysHidden, 700,
                 Section::hidden}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
