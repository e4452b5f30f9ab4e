#include "system/revealgeometry.h"

#include <gtest/gtest.h>

namespace zorv {
namespace {

const RevealGeometry::Screen kLaptop{QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875)};
// Menu bar hidden: the visible frame reaches the top.
const RevealGeometry::Screen kHiddenBar{QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 900)};
// A second display to the right, placed higher, with a notch-height menu bar.
const RevealGeometry::Screen kExternal{QRectF(1440, 200, 2560, 1440),
                                       QRectF(1440, 200, 2560, 1403)};

TEST(RevealGeometryTest, StripIsTheMenuBarHeightButAtLeast24Points) {
    EXPECT_EQ(RevealGeometry::menuBarStrip(kLaptop), QRectF(0, 875, 1440, 25));
    EXPECT_EQ(RevealGeometry::menuBarStrip(kHiddenBar), QRectF(0, 876, 1440, 24));
    EXPECT_EQ(RevealGeometry::menuBarStrip(kExternal), QRectF(1440, 1603, 2560, 37));
}

TEST(RevealGeometryTest, ContainmentIncludesLowerAndLeftEdgesOnly) {
    const QList<RevealGeometry::Screen> screens{kLaptop, kExternal};
    const QList<std::pair<QPointF, bool>> cases{
        {QPointF(100, 875), true},    {QPointF(100, 899.9), true}, {QPointF(100, 900), false},
        {QPointF(100, 874.5), false}, {QPointF(0, 880), true},     {QPointF(1439.9, 880), true},
        {QPointF(1440, 880), false},  {QPointF(2000, 1620), true}, {QPointF(2000, 1602), false},
        {QPointF(-1, 880), false},
    };
    for (const auto &[point, inside] : cases) {
        EXPECT_EQ(RevealGeometry::isInMenuBarStrip(point, screens), inside)
            << point.x() << "," << point.y();
    }
    EXPECT_FALSE(RevealGeometry::isInMenuBarStrip(QPointF(100, 880), {}));
}

} // namespace
} // namespace zorv
