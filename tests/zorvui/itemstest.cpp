#include "items/itemdisplay.h"
#include "items/itempictures.h"
#include "items/menubaritemdrag.h"

#include <gtest/gtest.h>

#include <QMimeData>
#include <QUrl>
#include <QtEndian>

#include <tuple>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

MenuBarItem itemOf(const QString &bundleID, std::optional<QString> title = std::nullopt,
                   std::optional<QString> identifier = std::nullopt) {
    MenuBarItem item{};
    item.id = MenuBarItemID{bundleID, std::move(identifier), std::move(title), 0};
    item.appName = u"Some App"_s;
    return item;
}

// A capture whose every pixel has the given bytes, in memory order.
QImage capture(int width, int height, std::array<uchar, 4> fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(qFromLittleEndian<quint32>(fill.data()));
    return image;
}

TEST(ItemDisplayTest, TellsALightGlyphByItsSecondAndThirdBytes) {
    const std::array<uchar, 4> clear{0, 0, 0, 0};
    auto onePixel = [&](std::array<uchar, 4> bytes, QSize size = {5, 7}, QPoint at = {2, 3}) {
        QImage image = capture(size.width(), size.height(), clear);
        std::copy(bytes.begin(), bytes.end(), image.scanLine(at.y()) + 4 * at.x());
        return image;
    };
    const struct {
        const char *name;
        std::optional<QImage> image;
        bool light;
    } cases[] = {
        {"no capture", std::nullopt, false},
        {"24-bit capture",
         capture(8, 8, {255, 255, 255, 255}).convertToFormat(QImage::Format_RGB888), false},
        {"nothing above 24", capture(8, 8, {24, 24, 24, 24}), false},
        {"average exactly 128", onePixel({0, 255, 2, 255}), false},
        {"average 129", onePixel({0, 255, 4, 255}), true},
        {"first and fourth bytes do not count", onePixel({255, 0, 0, 255}), false},
        {"white glyph", capture(36, 44, {255, 255, 255, 255}), true},
        {"black glyph", capture(36, 44, {30, 30, 30, 255}), false},
        // Only columns 0, 6, …, 30 and rows 0, 5, …, 40 of a 36 × 44 capture are sampled.
        {"light pixel off the grid", onePixel({0, 255, 255, 255}, {36, 44}, {7, 5}), false},
        {"light pixel on the grid", onePixel({0, 255, 255, 255}, {36, 44}, {30, 40}), true},
    };
    for (const auto &c : cases) {
        MenuBarItem item = itemOf(u"com.example.app"_s);
        item.capturedImage = c.image;
        EXPECT_EQ(ItemDisplay::capturedGlyphIsLight(item), c.light) << c.name;
    }
}

TEST(ItemDisplayTest, NamesSymbolsOfSystemItemsOnly) {
    const struct {
        QString bundleID;
        std::optional<QString> title;
        std::optional<QString> identifier;
        std::optional<QString> symbol;
    } cases[] = {
        {u"com.apple.controlcenter"_s, u"Wi-Fi"_s, std::nullopt, u"wifi"_s},
        {u"com.apple.controlcenter.extra"_s, std::nullopt, u"com.apple.menuextra.airport"_s,
         u"wifi"_s},
        {u"com.apple.systemuiserver"_s, u"Battery"_s, std::nullopt, u"battery.100"_s},
        {u"com.apple.controlcenter"_s, u"Sound"_s, std::nullopt, u"speaker.wave.2.fill"_s},
        {u"com.apple.controlcenter"_s, u"Focus"_s, std::nullopt, u"moon.fill"_s},
        {u"com.apple.controlcenter"_s, u"Clock"_s, std::nullopt, u"clock"_s},
        // The first group in order decides: "battery" before "time".
        {u"com.apple.controlcenter"_s, u"Battery Time Remaining"_s, std::nullopt, u"battery.100"_s},
        {u"com.apple.controlcenter"_s, std::nullopt, std::nullopt, u"switch.2"_s},
        {u"com.apple.systemuiserverX"_s, u"Clock"_s, std::nullopt, std::nullopt},
        {u"com.example.clock"_s, u"Clock"_s, std::nullopt, std::nullopt},
        {u"Com.apple.controlcenter"_s, u"Wi-Fi"_s, std::nullopt, std::nullopt},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ItemDisplay::symbol(itemOf(c.bundleID, c.title, c.identifier)), c.symbol)
            << c.bundleID.toStdString() << " " << c.title.value_or(u"-"_s).toStdString();
    }
}

TEST(ItemDisplayTest, PicksTheRowPictureInOrder) {
    const QImage glyph = capture(44, 44, {255, 255, 255, 255});
    const QImage icon = capture(64, 64, {0, 0, 255, 255});

    MenuBarItem both = itemOf(u"com.example.app"_s);
    both.capturedImage = glyph;
    both.appIcon = icon;
    auto picture = ItemDisplay::menuIcon(both);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(picture->isTemplate);
    EXPECT_EQ(picture->image.deviceIndependentSize(), QSizeF(16, 16));
    EXPECT_EQ(picture->image.pixelColor(10, 10), QColor(Qt::white));

    MenuBarItem iconOnly = itemOf(u"com.example.app"_s, u"Clock"_s);
    iconOnly.appIcon = icon;
    picture = ItemDisplay::menuIcon(iconOnly);
    ASSERT_TRUE(picture);
    EXPECT_FALSE(picture->isTemplate);
    EXPECT_EQ(picture->image.pixelColor(10, 10), QColor(Qt::red));

    picture = ItemDisplay::menuIcon(itemOf(u"com.apple.controlcenter"_s, u"Wi-Fi"_s));
    ASSERT_TRUE(picture);
    EXPECT_TRUE(picture->isTemplate);
    EXPECT_EQ(picture->accessibilityDescription, u"Wi-Fi"_s);
    EXPECT_EQ(ItemDisplay::menuIcon(itemOf(u"com.apple.controlcenter"_s, u""_s))
                  ->accessibilityDescription,
              u"Some App"_s);

    EXPECT_FALSE(ItemDisplay::menuIcon(itemOf(u"com.example.app"_s, u"Clock"_s)));
}

TEST(ItemDisplayTest, PutsPicturesOnThePlateOfTheBarsColour) {
    MenuBarItem light = itemOf(u"com.example.app"_s);
    light.capturedImage = capture(8, 8, {255, 255, 255, 255});
    const MenuBarItem dark = itemOf(u"com.example.app"_s);
    EXPECT_EQ(ItemDisplay::backdrop(light, QColor(Qt::red)), QColor(Qt::red));
    EXPECT_EQ(ItemDisplay::backdrop(light, std::nullopt), QColor::fromRgbF(0.2f, 0.2f, 0.2f));
    EXPECT_EQ(ItemDisplay::backdrop(dark, std::nullopt), QColor::fromRgbF(0.94f, 0.94f, 0.94f));

    // Template pictures take the tint; others keep their colours.
    ItemPictures pictures;
    pictures.set(u"glyph/1"_s, capture(4, 4, {255, 255, 255, 255}), true);
    pictures.set(u"icon"_s, capture(4, 4, {0, 0, 255, 255}), false);
    auto served = [&](const QString &key) {
        const QString id = ItemPictures::source(key, Qt::green).toString().section(u'/', 3);
        QSize size;
        const QImage image = pictures.requestImage(id, &size, QSize());
        EXPECT_EQ(size, image.size());
        return image;
    };
    EXPECT_EQ(served(u"glyph/1"_s).pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(served(u"icon"_s).pixelColor(1, 1), QColor(Qt::red));
    EXPECT_TRUE(served(u"unknown"_s).isNull());
    pictures.remove(u"icon"_s);
    EXPECT_TRUE(served(u"icon"_s).isNull());
}

TEST(MenuBarItemDragTest, RoundTripsAnItemIdWithOrWithoutItsOptionalFields) {
    const MenuBarItemID ids[] = {
        {u"com.example.app"_s, std::nullopt, std::nullopt, 0},
        {u"com.example.app"_s, u"status.1"_s, u"Title with \"quotes\" and ⌘"_s, 3},
        {u"com.apple.controlcenter"_s, u""_s, u""_s, 12},
    };
    for (const MenuBarItemID &id : ids) {
        const auto data = MenuBarItemDrag::mimeData(id);
        ASSERT_TRUE(MenuBarItemDrag::accepts(*data));
        const auto back = MenuBarItemDrag::fromMimeData(*data);
        ASSERT_TRUE(back);
        // Equality ignores the title and more; the payload keeps every field.
        EXPECT_EQ(std::tie(back->bundleID, back->axIdentifier, back->title, back->ordinal),
                  std::tie(id.bundleID, id.axIdentifier, id.title, id.ordinal));
    }
}

TEST(MenuBarItemDragTest, RefusesDataOfAnyOtherKind) {
    QMimeData text;
    text.setText(u"{\"bundleID\":\"com.example.app\",\"ordinal\":0}"_s);
    EXPECT_FALSE(MenuBarItemDrag::accepts(text));
    EXPECT_FALSE(MenuBarItemDrag::fromMimeData(text));

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(u"/tmp/a.json"_s)});
    EXPECT_FALSE(MenuBarItemDrag::fromMimeData(files));

    for (const QByteArray &junk : {QByteArray("not json"), QByteArray("[]"),
                                   QByteArray("{\"ordinal\":0}"), QByteArray("{}")}) {
        QMimeData data;
        data.setData(MenuBarItemDrag::mimeType, junk);
        EXPECT_FALSE(MenuBarItemDrag::fromMimeData(data)) << junk.toStdString();
    }
}

} // namespace
} // namespace zorv
