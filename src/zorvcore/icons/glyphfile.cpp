#include "glyphfile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPdfDocument>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// A menu-bar glyph is a few kilobytes; anything much larger is not one.
constexpr qint64 kMaxGlyphBytes = 512 * 1024;
// Pixels per point of a drawn PDF glyph, as on a Retina display.
constexpr double kPdfScale = 2.0;
// The largest side of a drawn PDF page, in points.
constexpr double kMaxPdfPoints = 256.0;

std::optional<QByteArray> readBounded(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxGlyphBytes) {
        return std::nullopt;
    }
    QByteArray bytes = file.read(kMaxGlyphBytes + 1);
    if (bytes.isEmpty() || bytes.size() > kMaxGlyphBytes) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<QImage> renderPdf(const QByteArray &bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QPdfDocument document;
    document.load(&buffer);
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() < 1) {
        return std::nullopt;
    }
    QSizeF points = document.pagePointSize(0);
    if (!std::isfinite(points.width()) || !std::isfinite(points.height()) || points.width() <= 0 ||
        points.height() <= 0) {
        return std::nullopt;
    }
    if (points.width() > kMaxPdfPoints || points.height() > kMaxPdfPoints) {
        points.scale(kMaxPdfPoints, kMaxPdfPoints, Qt::KeepAspectRatio);
    }
    const QSize pixels(std::max(1, int(std::ceil(points.width() * kPdfScale))),
                       std::max(1, int(std::ceil(points.height() * kPdfScale))));
    QImage glyph = document.render(0, pixels);
    if (glyph.isNull()) {
        return std::nullopt;
    }
    glyph.setDevicePixelRatio(kPdfScale);
    return glyph;
}

std::optional<QImage> readRaster(const QByteArray &bytes, const QString &path) {
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QImage glyph = QImageReader(&buffer).read();
    if (glyph.isNull()) {
        return std::nullopt;
    }
    if (QFileInfo(path).completeBaseName().endsWith(u"@2x"_s)) {
        glyph.setDevicePixelRatio(2.0);
    }
    return glyph;
}

} // namespace

std::optional<QImage> readGlyphFile(const QString &path) {
    const auto bytes = readBounded(path);
    if (!bytes) {
        return std::nullopt;
    }
    std::optional<QImage> glyph = path.endsWith(u".pdf"_s, Qt::CaseInsensitive)
                                      ? renderPdf(*bytes)
                                      : readRaster(*bytes, path);
    if (!glyph || glyph->width() <= 0) {
        return std::nullopt;
    }
    return glyph;
}

} // namespace zorv
