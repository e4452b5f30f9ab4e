#include "items/menubarcolorsampler.h"

#include "desktoppictures.h"
#include "screens.h"

#include <QImage>
#include <QImageReader>

#include <cmath>

namespace zorv {

MenuBarColorSampler::MenuBarColorSampler(Screens &screens, DesktopPictures &pictures, Clock &clock)
    : m_screens(screens), m_pictures(pictures), m_clock(clock) {}

std::optional<QColor> MenuBarColorSampler::topStripColor(const QImage &picture) {
    if (picture.isNull() || picture.width() < 1 || picture.height() < 1) {
        return std::nullopt;
    }
    const int strip = picture.height() > 19 ? picture.height() / 20 : 1;
    const QImage top = picture.copy(0, 0, picture.width(), strip)
                           .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    qint64 red = 0;
    qint64 green = 0;
    qint64 blue = 0;
    for (int y = 0; y < top.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(top.constScanLine(y));
        for (int x = 0; x < top.width(); ++x) {
            red += qRed(row[x]);
            green += qGreen(row[x]);
            blue += qBlue(row[x]);
        }
    }
    const qint64 count = qint64(top.width()) * top.height();
    auto channel = [count](qint64 sum) { return int((sum + count / 2) / count); };
    return QColor(channel(red), channel(green), channel(blue));
}

bool MenuBarColorSampler::isDarkColor(const QColor &color) {
    const double luminance =
        (0.299 * color.red() + 0.587 * color.green() + 0.114 * color.blue()) / 255.0;
    return luminance < darkBelow;
}

std::optional<QColor> MenuBarColorSampler::sampled() {
    const MonotonicTime now = m_clock.now();
    if (m_cache && now - m_cache->at < seconds(cacheSeconds)) {
        return m_cache->color;
    }
    const auto screen = m_screens.mainScreen();
    if (!screen) {
        return std::nullopt;
    }
    const auto path = m_pictures.desktopImagePath(screen->displayId);
    if (!path) {
        return std::nullopt;
    }
    QImageReader reader(*path);
    // Desktop pictures are photographs; a decompression bomb is not one.
    if (reader.size().isValid() &&
        qint64(reader.size().width()) * reader.size().height() > 400'000'000) {
        return std::nullopt;
    }
    const auto color = topStripColor(reader.read());
    if (!color) {
        return std::nullopt;
    }
    m_cache = Sample{*color, isDarkColor(*color), now};
    return color;
}

bool MenuBarColorSampler::isDark() {
    (void)sampled();
    return !m_cache || m_cache->dark;
}

} // namespace zorv
