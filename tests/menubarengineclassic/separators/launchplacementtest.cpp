#include "separators/launchplacement.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr double kItemWidth = 22.0;
constexpr double kIconLength = 22.0;
constexpr double kSeparatorLength = 8.0;

// A laptop screen whose camera housing spans x `housingLeft` to `housingRight` (none when 0).
Screen laptop(double housingRight, double housingLeft = 660) {
    Screen screen;
    screen.frame = QRectF(0, 0, 1512, 982);
    screen.visibleFrame = QRectF(0, 0, 1512, 945);
    if (housingRight > 0.0) {
        screen.auxiliaryTopLeftArea = QRectF(0, 945, housingLeft, 37);
        screen.auxiliaryTopRightArea = QRectF(housingRight, 945, 1512 - housingRight, 37);
    }
    return screen;
}

// Items 22 points wide every 30 points from x 870 to 1380, then the clock at 1410.
QList<DiscoveredItem> crowdedRightHalf() {
    QList<DiscoveredItem> items;
    for (int left = 870; left <= 1380; left += 30) {
        const QString bundleID = u"com.example.at"_s + QString::number(left);
        items.append({bundleID, bundleID, left, std::nullopt, std::nullopt,
                      QRectF(left, 0, kItemWidth, 24), 0});
    }
    items.append({u"com.apple.controlcenter"_s, u"Clock"_s, 1, u"com.apple.menuextra.clock"_s,
                  std::nullopt, QRectF(1410, 0, 60, 24), 0});
    return items;
}

struct RoomCase {
    const char *name;
    double housingRight;
    std::optional<double> menusRight;
    double iconLength;
    // The left edge of the item the hidden separator goes beside.
    int anchorLeft;
    double housingLeft = 660;
    // The icon takes the rightmost slot; otherwise it goes beside the separator.
    bool iconAtRightEnd = true;
    // Where the desktop's menus (Finder's) end.
    std::optional<double> deskMenus = std::nullopt;
};

class LaunchRoom : public ::testing::TestWithParam<RoomCase> {};

// The room beside an item counts from whatever covers the bar on its left at the desktop: the
// camera housing's right edge, Finder's menus, or the screen's edge. The front application's
// longer menus do not count: what they cover shows once Finder's come to the front. The icon's
// room (it moves every item on its left) and the separator with its spacing must fit (46 points
// here, 16 with the icon hidden). The icon goes to the rightmost slot, where long menus reach
// last, unless that slot is under the housing or the menus and the separator's side is not.
TEST_P(LaunchRoom, PutsTheSeparatorBesideTheFirstItemWithRoomLeftOfIt) {
    const RoomCase &c = GetParam();
    const std::optional<LaunchPlacement> placement =
        LaunchPlacement::compute(crowdedRightHalf(), {}, {laptop(c.housingRight, c.housingLeft)},
                                 {c.menusRight, c.deskMenus}, c.iconLength, kSeparatorLength);
    ASSERT_TRUE(placement);
    EXPECT_EQ(placement->anchor, u"com.example.at"_s + QString::number(c.anchorLeft));
    // Distances from the end of the movable items (the clock's left edge at 1410), a point short.
    const double distance = 1410.0 - c.anchorLeft;
    EXPECT_DOUBLE_EQ(placement->icon, c.iconAtRightEnd ? 0.0 : distance - 1.0);
    const double iconRoom = c.iconLength > 0.0 ? c.iconLength + 8.0 : 0.0;
    EXPECT_DOUBLE_EQ(placement->hiddenSeparator, distance + iconRoom - 1.0);
    EXPECT_EQ(placement->alwaysHiddenSeparator, LaunchPlacement::leftEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LaunchRoom,
    ::testing::Values(
        // 870 - 852 = 18 points is too little; 900 - 852 = 48 is enough.
        RoomCase{"HousingEdgeRightOfShortMenus", 852, 500.0, kIconLength, 900},
        RoomCase{"RoomExactlyEnough", 854, 500.0, kIconLength, 900},
        RoomCase{"RoomAPointShort", 855, 500.0, kIconLength, 930},
        // Menus that reach past the housing leave the lanes as shorter ones would.
        RoomCase{"MenusEndRightOfTheHousing", 852, 1000.0, kIconLength, 900},
        // Menus past the rightmost slot too: the icon still takes it, the first slot to show.
        RoomCase{"MenusEndPastTheRightEnd", 852, 1405.0, kIconLength, 900},
        RoomCase{"NoMenus", 852, std::nullopt, kIconLength, 900},
        RoomCase{"NoHousing", 0, 600.0, kIconLength, 870},
        RoomCase{"HiddenIconNeedsRoomForTheSeparatorOnly", 854, 500.0, 0.0, 870},
        // Only the clock stands right of this housing: the icon stays beside the separator.
        RoomCase{"RightEndUnderTheHousing", 1405, 500.0, kIconLength, 870, 1100, false},
        // The icon's slot (1380 to 1402) only partly under the housing is not in view either.
        RoomCase{"RightEndPartlyUnderTheHousingsRightEdge", 1390, 500.0, kIconLength, 870, 1100,
                 false},
        RoomCase{"RightEndPartlyUnderTheHousingsLeftEdge", 1405, 500.0, kIconLength, 870, 1395,
                 false},
        // Beside the separator the menus cover it: it takes the rightmost slot all the same.
        RoomCase{"RightEndUnderTheHousingAndTheSeparatorsSideUnderTheMenus", 1405, 1000.0,
                 kIconLength, 870, 1100},
        // Beside the separator the icon's own slot (840 to 870) would be under menus ending at
        // 860, though the item it stands beside is not.
        RoomCase{"RightEndUnderTheHousingAndTheIconsSlotBesideUnderTheMenus", 1405, 860.0,
                 kIconLength, 870, 1100},
        // Finder's menus end right of the housing: 990 - 930 = 60 points are enough, 30 not.
        RoomCase{"DeskMenusEndRightOfTheHousing", 852, 1000.0, kIconLength, 990, 660, true, 930.0},
        // An item they cover in part is not in view: 1020 starts left of 1030.
        RoomCase{"DeskMenusWithoutAHousing", 0, std::nullopt, kIconLength, 1080, 660, true, 1030.0},
        RoomCase{"DeskMenusEndLeftOfTheHousing", 852, 1000.0, kIconLength, 900, 660, true, 500.0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LaunchRoomTest, NothingWhenNoItemInViewHasRoom) {
    // The housing reaches past every movable item.
    EXPECT_EQ(LaunchPlacement::compute(crowdedRightHalf(), {}, {laptop(1405, 600)}, {}, kIconLength,
                                       kSeparatorLength),
              std::nullopt);
}

// There the icon takes the rightmost slot. The hidden separator goes just left of the leftmost
// item in view though it has no room (the housing, or Finder's menus, end at 1370 here), or just
// left of the icon when none is (the housing ends at 1405, or Finder's menus end at 1385, past the
// last item's left edge though short of its middle).
TEST(LaunchRoomTest, TheIconTakesTheRightEndWhenNothingIsInView) {
    struct Bar {
        double housingRight;
        std::optional<double> deskMenus = std::nullopt;
        LaunchPlacement expected;
    };
    const double iconRoom = kIconLength + 8.0;
    const LaunchPlacement besideTheLastItem{0.0, 1410.0 - 1380.0 + iconRoom - 1.0,
                                            LaunchPlacement::leftEnd, u"com.example.at1380"_s};
    const LaunchPlacement besideTheIcon{0.0, iconRoom - 1.0, LaunchPlacement::leftEnd, {}};
    for (const auto &[housingRight, deskMenus, expected] :
         {Bar{1370.0, std::nullopt, besideTheLastItem}, Bar{0.0, 1370.0, besideTheLastItem},
          Bar{1405.0, std::nullopt, besideTheIcon}, Bar{0.0, 1385.0, besideTheIcon}}) {
        SCOPED_TRACE(::testing::Message() << housingRight << ' ' << deskMenus.value_or(0.0));
        const QList<Screen> screens{laptop(housingRight, 600)};
        ASSERT_EQ(LaunchPlacement::compute(crowdedRightHalf(), {}, screens,
                                           {std::nullopt, deskMenus}, kIconLength,
                                           kSeparatorLength),
                  std::nullopt);
        EXPECT_EQ(LaunchPlacement::withNothingInView(crowdedRightHalf(), {}, screens, deskMenus,
                                                     kIconLength),
                  expected);
    }
}

} // namespace
} // namespace zorv
