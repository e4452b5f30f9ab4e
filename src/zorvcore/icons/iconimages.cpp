#include "iconimages.h"

#include <QBuffer>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr int kFingerprintSize = 32;
const QString kTemplateKey = u"zorv-template"_s;

} // namespace

std::optional<QByteArray> zorvPNGData(const QImage &image) {
    if (image.isNull()) {
        return std::nullopt;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> zorvNormalizedPNG(const QImage &image) {
    if (image.isNull()) {
        return std::nullopt;
    }
    QImage bitmap(kFingerprintSize, kFingerprintSize, QImage::Format_RGBA8888);
    if (bitmap.isNull()) {
        return std::nullopt;
    }
    bitmap.fill(Qt::transparent);
    {
        QPainter painter(&bitmap);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(0, 0, kFingerprintSize, kFingerprintSize), image);
    }
    return zorvPNGData(bitmap);
}

void markAsTemplate(QImage &image) {
    image.setText(kTemplateKey, u"1"_s);
}

bool isTemplateImage(const QImage &image) {
    return image.text(kTemplateKey) == u"1"_s;
}

} // namespace zorv
