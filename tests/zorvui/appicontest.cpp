#include "appicon/zorvappicon.h"
#include "kitscene.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QQuickItem>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The honey of the letter, the tile's darkest shade at the bottom.
const QColor letter(0xf0, 0xb2, 0x4a);

struct Drawn {
    int pixels;
    int letterAtLeast;
};

class AppIconImageTest : public ::testing::TestWithParam<Drawn> {};

TEST_P(AppIconImageTest, FillsTheSquareWithTheLetterOnTheTileAndClearCorners) {
    const Drawn drawn = GetParam();
    const QImage icon = ZorvAppIcon::image(drawn.pixels);
    ASSERT_EQ(icon.size(), QSize(drawn.pixels, drawn.pixels));
    // The rounded corners stay clear; the middle of the bottom edge is the tile's.
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(drawn.pixels - 1, drawn.pixels - 1)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(drawn.pixels / 2, drawn.pixels * 9 / 10)), 255);
    EXPECT_GE(countPixels(icon, letter, 8), drawn.letterAtLeast) << drawn.pixels;
}

INSTANTIATE_TEST_SUITE_P(Sizes, AppIconImageTest,
                         ::testing::Values(Drawn{16, 10}, Drawn{36, 60}, Drawn{144, 1500},
                                           Drawn{512, 20000},
                                           Drawn{ZorvAppIcon::largestSide, 80000}),
                         [](const auto &info) { return std::to_string(info.param.pixels); });

TEST(AppIconImageTest, RefusesSizesItCannotDraw) {
    EXPECT_TRUE(ZorvAppIcon::image(0).isNull());
    EXPECT_TRUE(ZorvAppIcon::image(-3).isNull());
    EXPECT_TRUE(ZorvAppIcon::image(ZorvAppIcon::largestSide + 1).isNull());
    // Painting into an empty rectangle draws nothing and leaves the painter as it was.
    QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    ZorvAppIcon::paint(painter, QRectF(2, 2, 0, 6));
    EXPECT_EQ(painter.transform(), QTransform());
    painter.end();
    EXPECT_EQ(countPixels(image, Qt::transparent, 0), 64);
}

const QString iconScene = uR"(
import QtQuick
import Zorv.UI

Rectangle {
    color: Zorv.paper
    Row {
        x: 12; y: 12; spacing: 12
        ZorvAppIcon { objectName: "small"; size: 16 }
        ZorvAppIcon { objectName: "menu"; size: 28 }
        ZorvAppIcon { objectName: "large"; size: 96 }
    }
}
)"_s;

class AppIconSceneTest : public ::testing::TestWithParam<Look> {};

// Drawn for the window's pixel ratio: as many device pixels as the item covers, so it stays
// sharp at 1x and 2x (the 2x run is registered beside the suite).
TEST_P(AppIconSceneTest, DrawsTheIconAtTheWindowsPixelDensity) {
    KitScene scene(GetParam().dark);
    ASSERT_TRUE(scene.load(iconScene, QSize(200, 120)));
    const qreal ratio = scene.view.devicePixelRatio();
    for (const QString &name : {u"small"_s, u"menu"_s, u"large"_s}) {
        QQuickItem *icon = scene.find(name);
        ASSERT_TRUE(icon);
        const int side = int(std::ceil(icon->width() * ratio));
        EXPECT_EQ(icon->property("sourceSize").toSize(), QSize(side, side)) << name.toStdString();
        EXPECT_EQ(icon->property("status").toInt(), 1) << name.toStdString(); // Image.Ready
    }
    const QImage picture = scene.grab(u"app-icon-"_s + QLatin1String(GetParam().name) +
                                      (ratio > 1 ? u"@2x"_s : u""_s));
    // The large icon's letter, in the scene's points.
    EXPECT_GT(countPixels(picture, letter, 8, QRect(80, 12, 96, 96)), devicePixels(picture, 20));
}

INSTANTIATE_TEST_SUITE_P(Looks, AppIconSceneTest, bothLooks, lookName);

} // namespace
} // namespace zorv
