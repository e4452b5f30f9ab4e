#include "system/revealgeometry.h"

#include <gtest/gtest.h>

namespace zorv {
namespace {

TEST(RevealGeometryTest, StripIsAtLeast24PointsAndOwnsOnlyItsLowerAndLeftEdges) {
    const RevealGeometry::Screen laptop{QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875)};
    // A second display to the right and higher up, with a taller menu bar.
    const RevealGeometry::Screen external{QRectF(1440, 200, 2560, 1440),
                                          QRectF(1440, 200, 2560, 1403)};
    EXPECT_EQ(RevealGeometry::menuBarStrip(laptop), QRectF(0, 875, 1440, 25));
    EXPECT_EQ(RevealGeometry::menuBarStrip(external), QRectF(1440, 1603, 2560, 37));
    // With the menu bar hidden the visible frame reaches the top.
    EXPECT_EQ(RevealGeometry::menuBarStrip({laptop.frame, laptop.frame}), QRectF(0, 876, 1440, 24));
    for (const auto &[point, inside] : {std::pair{QPointF(0, 875), true},
                                        {QPointF(1439.9, 899.9), true},
                                        {QPointF(100, 900), false},
                                        {QPointF(100, 874.5), false},
                                        {QPointF(1440, 880), false},
                                        {QPointF(2000, 1620), true},
                                        {QPointF(2000, 1602), false}}) {
        EXPECT_EQ(RevealGeometry::isInMenuBarStrip(point, {laptop, external}), inside)
            << point.x() << "," << point.y();
    }
    EXPECT_FALSE(RevealGeometry::isInMenuBarStrip(QPointF(100, 880), {}));
}

} // namespace
} // namespace zorv
