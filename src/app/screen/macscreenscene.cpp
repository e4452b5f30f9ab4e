#include "macscreenscene.h"

#include <QFontMetricsF>

namespace zorv {

namespace {

// Dark and nearly without colour: drawn in the bar's text colour.
bool isMonochrome(const QColor &color) {
    return color.alpha() > 0 && color.hslSaturationF() < 0.15 && color.lightnessF() < 0.35;
}

QImage tinted(const QImage &image, const QColor &color) {
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QColor pixel = QColor::fromRgba(line[x]);
            if (pixel.alpha() == 0) {
                continue;
            }
            if (!isMonochrome(pixel)) {
                return image;
            }
            line[x] = qRgba(color.red(), color.green(), color.blue(), pixel.alpha());
        }
    }
    return result;
}

} // namespace

MacScreenScene MacScreenScene::of(const DisplayScene &display, std::optional<QString> picture,
                                  bool dark, const QString &application,
                                  const QStringList &ownMenus, std::optional<int> openMenu) {
    MacScreenScene scene{display, std::move(picture), dark, {}, std::nullopt};
    const QFontMetricsF regularMetrics(MenuBarTitles::font(false));
    const QFontMetricsF boldMetrics(MenuBarTitles::font(true));
    const auto textWidth = [&](const QString &text, bool isBold) {
        return (isBold ? boldMetrics : regularMetrics).horizontalAdvance(text);
    };
    scene.menus = ownMenus.isEmpty()
                      ? MenuTitles::layout(application, display.menusRight, display.barHeight,
                                           display.housing, textWidth)
                      : MenuTitles::layoutOwn(ownMenus, display.menusRight, display.barHeight,
                                              display.housing, openMenu);
    return scene;
}

QColor MacScreenScene::barTextColor() const {
    return dark ? QColor(245, 245, 245) : QColor(20, 20, 20);
}

QColor MacScreenScene::barColor() const {
    return dark ? QColor(38, 38, 40) : display.barColor;
}

QColor MacScreenScene::selectionColor() const {
    return dark ? QColor(255, 255, 255, 56) : QColor(0, 0, 0, 36);
}

SceneItem MacScreenScene::drawnItem(const SceneItem &item) const {
    if (!dark) {
        return item;
    }
    SceneItem drawn = item;
    if (isMonochrome(drawn.glyph.color)) {
        drawn.glyph.color = barTextColor();
    }
    if (!drawn.image.isNull()) {
        drawn.image = tinted(drawn.image, barTextColor());
    }
    return drawn;
}

} // namespace zorv
