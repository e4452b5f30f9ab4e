#pragma once

#include <QQuickImageProvider>

namespace zorv {

// Zorv's own icon for QML ("image://zorvappicon/zorv"), drawn at the requested size (64 pixels
// when none is asked for) so that it stays sharp at every size and pixel ratio.
class AppIconImageProvider : public QQuickImageProvider {
public:
    static inline const QString providerId = QStringLiteral("zorvappicon");

    AppIconImageProvider();

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;
};

} // namespace zorv
