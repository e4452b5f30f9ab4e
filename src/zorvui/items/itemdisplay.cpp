#include "items/itemdisplay.h"

#include "symbols/symbolglyphs.h"

#include <QPainter>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

struct KeywordGroup {
    QStringList keywords;
    QString symbol;
};

const QList<KeywordGroup> &keywordTable() {
    static const QList<KeywordGroup> table = {
        {{u"wifi"_s, u"wi-fi"_s, u"wireless"_s, u"airport"_s}, u"wifi"_s},
        {{u"batter"_s, u"power source"_s}, u"battery.100"_s},
        {{u"volume"_s, u"sound"_s, u"audio"_s, u"speaker"_s}, u"speaker.wave.2.fill"_s},
        {{u"bluetooth"_s}, u"dot.radiowaves.right"_s},
        {{u"display"_s, u"mirror"_s, u"airplay"_s}, u"airplayvideo"_s},
        {{u"focus"_s, u"do not disturb"_s, u"moon"_s}, u"moon.fill"_s},
        {{u"now playing"_s, u"music"_s, u"nowplaying"_s}, u"play.circle.fill"_s},
        {{u"clock"_s, u"time"_s, u"date"_s}, u"clock"_s},
        {{u"keyboard"_s, u"input"_s}, u"keyboard"_s},
    };
    return table;
}

constexpr int iconPixels = ItemDisplay::menuIconPoints * 2;

// The picture drawn into the 16-point square, stretched to it as the row's picture is.
QImage squared(const QImage &source) {
    QImage square(iconPixels, iconPixels, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, iconPixels, iconPixels), source);
    painter.end();
    square.setDevicePixelRatio(2);
    return square;
}

} // namespace

bool ItemDisplay::capturedGlyphIsLight(const MenuBarItem &item) {
    if (!item.capturedImage || item.capturedImage->isNull() || item.capturedImage->depth() != 32) {
        return false;
    }
    const QImage &image = *item.capturedImage;
    const int width = image.width();
    const int height = image.height();
    if (height < 1) {
        return false;
    }
    const int rowStep = height < 8 ? 1 : height / 8;
    const int columnStep = width >= 12 ? width / 6 : 1;
    const uchar *bytes = image.constBits();
    const qsizetype bytesPerRow = image.bytesPerLine();
    const qsizetype byteCount = image.sizeInBytes();
    qint64 sum = 0;
    qint64 count = 0;
    for (int y = 0; y < height; y += rowStep) {
        for (int x = 0; x < width; x += columnStep) {
            const qsizetype offset = qsizetype(y) * bytesPerRow + 4 * qsizetype(x);
            if (offset + 3 >= byteCount) {
                continue;
            }
            const uchar *pixel = bytes + offset;
            if (pixel[0] <= 24 && pixel[1] <= 24 && pixel[2] <= 24 && pixel[3] <= 24) {
                continue;
            }
            sum += (int(pixel[1]) + int(pixel[2])) / 2;
            ++count;
        }
    }
    return count > 0 && sum / count > 128;
}

std::optional<QString> ItemDisplay::symbol(const MenuBarItem &item) {
    const QString &bundleID = item.id.bundleID;
    if (!bundleID.startsWith(u"com.apple.controlcenter"_s) &&
        bundleID != u"com.apple.systemuiserver"_s) {
        return std::nullopt;
    }
    const QString searchText =
        (item.id.title.value_or(QString()) + u' ' + item.id.axIdentifier.value_or(QString()))
            .toLower();
    for (const KeywordGroup &group : keywordTable()) {
        for (const QString &keyword : group.keywords) {
            if (searchText.contains(keyword)) {
                return group.symbol;
            }
        }
    }
    return u"switch.2"_s;
}

QColor ItemDisplay::backdrop(const MenuBarItem &item,
                             const std::optional<QColor> &sampledBarColor) {
    if (sampledBarColor) {
        return *sampledBarColor;
    }
    const qreal white = capturedGlyphIsLight(item) ? darkBackdropWhite : lightBackdropWhite;
    return QColor::fromRgbF(float(white), float(white), float(white));
}

std::optional<ItemDisplay::MenuIcon> ItemDisplay::menuIcon(const MenuBarItem &item) {
    if (item.capturedImage && !item.capturedImage->isNull()) {
        return MenuIcon{squared(*item.capturedImage), true, QString()};
    }
    if (item.appIcon && !item.appIcon->isNull()) {
        return MenuIcon{squared(*item.appIcon), false, QString()};
    }
    if (const auto name = symbol(item)) {
        QImage glyph = SymbolGlyphs::image(*name, iconPixels, Qt::black);
        if (glyph.isNull()) {
            return std::nullopt;
        }
        glyph.setDevicePixelRatio(2);
        const QString title = item.id.title.value_or(QString());
        return MenuIcon{glyph, true, title.isEmpty() ? item.appName : title};
    }
    return std::nullopt;
}

} // namespace zorv
