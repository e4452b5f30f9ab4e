#include "items/itempictures.h"
#include "items/publishedpictures.h"
#include "secondarybar/secondarybarplacement.h"
#include "windows/itemrowsmodel.h"
#include "items/rowpicture.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// A capture as the engine takes it: two pixels a point, `points` wide and 22 high, a glyph of
// `ink` on `ground` (clear for the transparent ground the engine asks for).
QImage capture(double points, QColor ink, QColor ground = Qt::transparent) {
    QImage image(int(points * 2), 44, QImage::Format_ARGB32_Premultiplied);
    image.fill(ground);
    QPainter painter(&image);
    painter.fillRect(QRect(4, 10, image.width() - 8, 24), ink);
    return image;
}

MenuBarItem item(const QString &bundleID, const QString &title) {
    MenuBarItem item{};
    item.id = MenuBarItemID{bundleID, std::nullopt, title, 0};
    item.appName = title;
    return item;
}

MenuBarItem with(MenuBarItem item, std::optional<QImage> captured, std::optional<QImage> icon) {
    item.capturedImage = std::move(captured);
    item.appIcon = std::move(icon);
    return item;
}

TEST(RowPictureTest, CapturesAsTheyAreThenSymbolsThenIconsThenNothing) {
    const QImage icon = capture(11, Qt::red, Qt::white);
    const QColor lightGrey = QColor::fromRgbF(0.94f, 0.94f, 0.94f);
    const QColor darkGrey = QColor::fromRgbF(0.2f, 0.2f, 0.2f);
    const struct {
        const char *name;
        MenuBarItem item;
        std::optional<QColor> sampled;
        QString kind;
        QSizeF size;
        QString symbol;
        QColor plate;
    } cases[] = {
        {"an opaque capture keeps its ground (mostly white: a dark plate)",
         with(item(u"com.example.a"_s, u"A"_s), capture(22, Qt::black, Qt::white), icon),
         std::nullopt, u"capture"_s, {22, 22}, {}, darkGrey},
        {"a coloured glyph on clear",
         with(item(u"com.example.b"_s, u"B"_s), capture(22, QColor(30, 200, 90)), icon),
         std::nullopt, u"capture"_s, {22, 22}, {}, lightGrey},
        {"a light glyph sits on dark grey",
         with(item(u"com.example.c"_s, u"C"_s), capture(22, Qt::white), std::nullopt),
         std::nullopt, u"capture"_s, {22, 22}, {}, darkGrey},
        {"a wide meter stays wide, on the sampled colour",
         with(item(u"com.example.meter"_s, u"Meter"_s), capture(59, Qt::white), std::nullopt),
         QColor(0x1E, 0x3A, 0x5F), u"capture"_s, {59, 22}, {}, QColor(0x1E, 0x3A, 0x5F)},
        {"an odd pixel width halves down",
         with(item(u"com.example.odd"_s, u"Odd"_s), capture(22.5, Qt::black), std::nullopt),
         std::nullopt, u"capture"_s, {22, 22}, {}, lightGrey},
        {"Wi-Fi shows its symbol, not Control Center's icon",
         with(item(u"com.apple.controlcenter"_s, u"Wi-Fi"_s), std::nullopt, icon), std::nullopt,
         u"symbol"_s, {}, u"wifi"_s, {}},
        {"Battery",
         with(item(u"com.apple.controlcenter"_s, u"Battery"_s), std::nullopt, icon), std::nullopt,
         u"symbol"_s, {}, u"battery.100"_s, {}},
        {"the clock",
         with(item(u"com.apple.controlcenter.clock"_s, u"Clock"_s), std::nullopt, icon),
         std::nullopt, u"symbol"_s, {}, u"clock"_s, {}},
        {"another app's clock has its icon",
         with(item(u"com.example.clock"_s, u"Clock"_s), std::nullopt, icon), std::nullopt,
         u"icon"_s, {}, {}, {}},
        {"nothing to show", item(u"com.example.bare"_s, u"Bare"_s), std::nullopt, u"none"_s, {},
         {}, {}},
    };
    ItemPictures pictures;
    PublishedPictures published(&pictures, &pictures);
    for (const auto &c : cases) {
        const RowPicture picture = RowPicture::of(c.item, c.sampled, published);
        EXPECT_EQ(picture.kind, c.kind) << c.name;
        EXPECT_EQ(picture.size, c.size) << c.name;
        EXPECT_EQ(picture.symbol, c.symbol) << c.name;
        EXPECT_EQ(picture.plate, c.plate) << c.name;
        EXPECT_EQ(picture.source.isEmpty(), c.kind == u"symbol"_s || c.kind == u"none"_s)
            << c.name;
        if (c.kind == u"capture"_s) {
            QSize served;
            const QImage image = pictures.requestImage(picture.source.path().mid(1), &served, {});
            EXPECT_EQ(image, c.item.capturedImage->convertToFormat(image.format()))
                << c.name << ": served as captured, never tinted";
        }
    }
}

TEST(RowPictureTest, TheStripsCellsFitTheirPictures) {
    RowPicture meter;
    meter.kind = u"capture"_s;
    meter.size = QSizeF(59, 22);
    RowPicture square = meter;
    square.size = QSizeF(22, 22);
    RowPicture symbol;
    symbol.kind = u"symbol"_s;
    const struct {
        const char *name;
        RowPicture picture;
        bool onBarColour;
        double width;
    } cases[] = {
        {"a meter on the bar's colour, 22 high", meter, true, 59},
        {"a meter on its plate, 18 high and 2 each side", meter, false, 59.0 * 18 / 22 + 4},
        {"a square capture on the bar's colour", square, true, 22},
        {"a square capture on its plate", square, false, 22},
        {"a symbol", symbol, true, 18},
        {"a symbol on the material", symbol, false, 18},
    };
    for (const auto &c : cases) {
        EXPECT_DOUBLE_EQ(SecondaryBarPlacement::cellWidth(c.picture, c.onBarColour), c.width)
            << c.name;
    }
}

// A picture that changes gets a new address (views load it afresh), one that does not keeps its
// own; pictures no row shows any more are dropped.
TEST(RowPictureTest, RowsRepublishOnlyChangedPictures) {
    ItemPictures pictures;
    ItemRowsModel rows(&pictures);
    QAbstractItemModelTester tester(&rows, QAbstractItemModelTester::FailureReportingMode::Fatal);
    MenuBarItem meter = with(item(u"com.example.meter"_s, u"Meter"_s), capture(40, Qt::white),
                             std::nullopt);
    const auto source = [&] { return rows.index(0).data(ItemRowsModel::PictureRole).toUrl(); };
    rows.setEntries({{meter, std::nullopt}}, std::nullopt);
    const QUrl first = source();
    meter.capturedImage = capture(40, Qt::white);
    rows.setEntries({{meter, std::nullopt}}, std::nullopt);
    EXPECT_EQ(source(), first) << "the same picture taken again";
    meter.capturedImage = capture(41, Qt::white);
    rows.setEntries({{meter, std::nullopt}}, std::nullopt);
    EXPECT_NE(source(), first);
    EXPECT_EQ(rows.index(0).data(ItemRowsModel::PictureSizeRole).toSizeF(), QSizeF(41, 22));
    QSize served;
    EXPECT_TRUE(pictures.requestImage(first.path().mid(1), &served, {}).isNull())
        << "the old picture is dropped";
}

} // namespace
} // namespace zorv
