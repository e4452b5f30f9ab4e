#pragma once

#include <QQuickImageProvider>

namespace zorv {

// System symbols for QML ("image://zorvsymbol/<name>/<#aarrggbb>"), drawn by SymbolGlyphs at the
// requested size (24 pixels when none is asked for). A name outside the set gives an empty image.
class SymbolImageProvider : public QQuickImageProvider {
public:
    static inline const QString providerId = QStringLiteral("zorvsymbol");

    SymbolImageProvider();

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;
};

} // namespace zorv
