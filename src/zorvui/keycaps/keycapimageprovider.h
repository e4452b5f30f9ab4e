#pragma once

#include <QQuickImageProvider>

namespace zorv {

// Draws the inline key caps of KeyCapText's markup ("image://zorvkeys/<id>"). An id that does not
// decode gives an empty image.
class KeyCapImageProvider : public QQuickImageProvider {
public:
    static inline const QString providerId = QStringLiteral("zorvkeys");

    KeyCapImageProvider();

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;
};

} // namespace zorv
