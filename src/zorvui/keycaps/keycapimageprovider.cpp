#include "keycaps/keycapimageprovider.h"

#include "keycaps/keycaptext.h"

#include <QPainter>

#include <cmath>

namespace zorv {

namespace {
// Styled text shows an inline image at the image's own size.
constexpr qreal pixelRatio = 1.0;
} // namespace

KeyCapImageProvider::KeyCapImageProvider() : QQuickImageProvider(QQuickImageProvider::Image) {}

QImage KeyCapImageProvider::requestImage(const QString &id, QSize *size, const QSize &) {
    const auto request = KeyCapText::parseImageId(id);
    if (!request) {
        if (size) {
            *size = QSize();
        }
        return {};
    }
    const QSizeF caps =
        KeyCapDrawing::size(request->keys, request->size, KeyCapDrawing::Weight::Prose);
    const QSize pixels(qMax(1, int(std::ceil(caps.width() * pixelRatio))),
                       qMax(1, int(std::ceil(caps.height() * pixelRatio))));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.scale(pixelRatio, pixelRatio);
        KeyCapDrawing::draw(painter, request->keys, request->size, QPointF(0, 0), request->color,
                            KeyCapDrawing::Weight::Prose);
    }
    if (size) {
        *size = image.size();
    }
    return image;
}

} // namespace zorv
