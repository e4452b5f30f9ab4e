#include "modelsearch.h"
#include "overlay/appearanceoverlay.h"
#include "panelsfixture.h"
#include "search/searchpanelcontroller.h"
#include "secondarybar/secondarybar.h"

#include <QPainter>
#include <QQuickView>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// A glyph as the bar's capture gives it: a light or dark ring on a clear ground.
QImage glyph(bool light) {
    QImage image(44, 44, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(light ? QColor(Qt::white) : QColor(Qt::black), 5));
    painter.drawEllipse(QRectF(9, 9, 26, 26));
    return image;
}

// A 59-point meter as captured: two rows of coloured bars on a clear ground.
QImage meter() {
    QImage image(118, 44, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (int bar = 0; bar < 12; ++bar) {
        const QColor colour = bar < 8 ? QColor(0x34, 0xC7, 0x59) : QColor(0xFF, 0x9F, 0x0A);
        const int height = 8 + 2 * bar;
        painter.fillRect(QRect(6 + 9 * bar, 38 - height, 6, height), colour);
    }
    return image;
}

// A capture taken where the ground could not be left out: a dark glyph on the bar's light grey.
QImage opaque() {
    QImage image(44, 44, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(0xEC, 0xEC, 0xEC));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x20, 0x20, 0x20));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(10, 12, 24, 20), 4, 4);
    return image;
}

MenuBarItem clockItem() {
    MenuBarItem item = MockMenuBarEngine::fixtures().at(5);
    item.id.title = u"Clock"_s;
    item.appName = u"Control Center"_s;
    item.frame.translate(80, 0);
    return item;
}

// Light and dark glyphs, a wide coloured meter, an opaque capture, an application's icon, and the
// system items (which have Control Center's icon, but show their symbols).
QList<MenuBarItem> pictured() {
    QList<MenuBarItem> items = MockMenuBarEngine::fixtures();
    items.append(clockItem());
    items[0].capturedImage = glyph(true);
    items[1].capturedImage = meter();
    items[2].capturedImage = opaque();
    items[3].capturedImage = glyph(false);
    items[4].appIcon = glyph(false);
    for (int system = 5; system < items.size(); ++system) {
        items[system].appIcon = opaque();
    }
    return items;
}

struct Look {
    const char *name;
    bool dark;
};

class RenderingTest : public PanelsTest, public ::testing::WithParamInterface<Look> {
protected:
    RenderingTest() : PanelsTest(pictured()) {
        mac.desktop().appearance().setDark(GetParam().dark);
    }

    // "<what>-<look>", with "-2x" when drawn at twice the scale.
    QString name(const QString &what) const {
        const bool doubled = qEnvironmentVariable("QT_SCALE_FACTOR") == u"2"_s;
        return what + u"-"_s + QLatin1String(GetParam().name) + (doubled ? u"-2x"_s : QString());
    }
};

TEST_P(RenderingTest, Overlay) {
    AppearanceOverlay overlay(services);
    Appearance look;
    look.tintEnabled = true;
    look.tintHex = u"#7A3FB0"_s;
    look.tintOpacity = 0.6;
    look.borderEnabled = true;
    look.shadowEnabled = true;
    look.cornerRadius = 8;
    overlay.apply(look);
    ASSERT_EQ(overlay.windowCount(), 1);
    QQuickWindow &window = overlay.window(0).window();
    QImage drawn = window.grabWindow();
    // The offscreen grab keeps the window's alpha but labels the picture opaque.
    if (drawn.format() == QImage::Format_RGB32) {
        drawn.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    }
    // Over a bar of the appearance's colour, as it shows on the screen.
    QImage onBar(drawn.size(), QImage::Format_ARGB32_Premultiplied);
    onBar.fill(GetParam().dark ? QColor(0x2A, 0x2A, 0x2A) : QColor(0xEC, 0xEC, 0xEC));
    {
        QImage pixels = drawn;
        pixels.setDevicePixelRatio(1);
        QPainter(&onBar).drawImage(0, 0, pixels);
    }
    QDir().mkpath(u"screenshots"_s);
    onBar.copy(0, 0, std::min(onBar.width(), drawn.height() * 12), onBar.height())
        .save(u"screenshots/%1.png"_s.arg(name(u"overlay"_s)));

    // The grab is in device pixels whatever ratio it reports.
    const qreal ratio = qreal(drawn.height()) / window.height();
    const auto at = [&](double x, double y) {
        return onBar.pixelColor(QPoint(int(x * ratio), int(y * ratio)));
    };
    const QColor bar = GetParam().dark ? QColor(0x2A, 0x2A, 0x2A) : QColor(0xEC, 0xEC, 0xEC);
    const QColor tint(0x7A, 0x3F, 0xB0);
    const QColor middle = at(700, 10);
    EXPECT_NEAR(middle.red(), 0.6 * tint.red() + 0.4 * bar.red(), 3) << "the tint at its opacity";
    EXPECT_NEAR(middle.blue(), 0.6 * tint.blue() + 0.4 * bar.blue(), 3);
    EXPECT_NEAR(at(0.5, 21).lightness(), bar.lightness(), 2) << "the bottom corners are rounded";
    EXPECT_LT(at(700, 24.5).lightness(), bar.lightness() - 8) << "the shadow starts under the bar";
    EXPECT_NEAR(at(700, 33.8).lightness(), bar.lightness(), 12) << "and fades out 10 below";
}

TEST_P(RenderingTest, SecondaryBar) {
    SecondaryBar bar(mac.model(), services);
    QList<MenuBarItem> shown = mac.model().items();
    bar.show(shown, QRectF(1300, 958, 22, 24), true);
    QQuickWindow &window = bar.panel()->window();
    savePicture(window, name(u"secondary-bar"_s));
    const QQuickItem *platedMeter = findItem(window, u"item-1"_s);
    ASSERT_TRUE(platedMeter);
    EXPECT_NEAR(platedMeter->width(), 59.0 * 18 / 22 + 4, 0.01)
        << "the meter on its plate, 18 high";
    bar.show({}, QRectF(1300, 958, 22, 24), false);
    savePicture(window, name(u"secondary-bar-empty"_s));

    mac.model().setPixelPerfectIcons(true);
    sampled = QColor(0x1E, 0x3A, 0x5F);
    bar.show(shown, QRectF(1300, 958, 22, 24), false);
    const QImage coloured = savePicture(window, name(u"secondary-bar-coloured"_s));
    // The grab is in device pixels whatever ratio it reports.
    const qreal ratio = qreal(coloured.height()) / window.height();
    EXPECT_EQ(coloured.pixelColor(QPoint(int(20 * ratio), int(4 * ratio))).rgb(),
              QColor(0x1E, 0x3A, 0x5F).rgb())
        << "the strip takes the sampled bar colour";
    const QQuickItem *meterCell = findItem(window, u"item-1"_s);
    ASSERT_TRUE(meterCell);
    EXPECT_NEAR(meterCell->width(), 59, 0.01) << "on the bar's colour the meter is 22 high";
    // The meter's first green bar, as captured: never tinted to one colour.
    const QPointF bar0 = meterCell->mapToScene(QPointF(4.5, 22 - 5));
    const QColor green = coloured.pixelColor((bar0 * ratio).toPoint());
    EXPECT_GT(green.green(), 150) << "the meter keeps its colours";
    EXPECT_LT(green.red(), 120);
    bar.show({}, QRectF(1300, 958, 22, 24), false);
    savePicture(window, name(u"secondary-bar-coloured-empty"_s));
    mac.model().setPixelPerfectIcons(false);
    sampled.reset();
}

TEST_P(RenderingTest, SearchPanel) {
    mac.model().search().setAlias(u"sync"_s, mac.model().items().at(0));
    SearchPanelController panel(mac.model(), services);
    panel.show();
    panel.search()->move(1);
    savePicture(panel.panel()->window(), name(u"search-panel"_s));
    panel.search()->setQuery(u"Alfr"_s);
    savePicture(panel.panel()->window(), name(u"search-panel-query"_s));
    panel.search()->setQuery(u"no such item at all"_s);
    savePicture(panel.panel()->window(), name(u"search-panel-no-match"_s));
}

// The rows' pictures: captures as they are on their plates (the sampled bar colour when there is
// one), system items' symbols, an application's icon.
TEST_P(RenderingTest, SearchPanelPictures) {
    SearchPanelController panel(mac.model(), services);
    panel.show();
    QQuickWindow &window = panel.panel()->window();
    window.resize(520, 400);
    savePicture(window, name(u"search-panel-pictures"_s));
    const QQuickItem *meterPicture = findUnder(findItem(window, u"row-1"_s), u"picture"_s);
    ASSERT_TRUE(meterPicture);
    EXPECT_NEAR(meterPicture->width(), 59.0 * 18 / 22 + 4, 0.01);
    EXPECT_NEAR(meterPicture->height(), 20, 0.01);
    for (const char *system : {"row-5", "row-6", "row-7"}) {
        const QQuickItem *row = findItem(window, QString::fromLatin1(system));
        ASSERT_TRUE(row) << system;
        EXPECT_EQ(row->property("pictureKind").toString(), u"symbol"_s) << system;
    }

    sampled = QColor(0x1E, 0x3A, 0x5F);
    panel.show();
    window.resize(520, 400);
    savePicture(window, name(u"search-panel-pictures-sampled"_s));
}

INSTANTIATE_TEST_SUITE_P(Looks, RenderingTest,
                         ::testing::Values(Look{"light", false}, Look{"dark", true}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
