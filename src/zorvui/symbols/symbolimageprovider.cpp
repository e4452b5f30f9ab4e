#include "symbols/symbolimageprovider.h"

#include "symbols/symbolglyphs.h"

namespace zorv {

SymbolImageProvider::SymbolImageProvider() : QQuickImageProvider(QQuickImageProvider::Image) {}

QImage SymbolImageProvider::requestImage(const QString &id, QSize *size,
                                         const QSize &requestedSize) {
    const qsizetype slash = id.lastIndexOf(u'/');
    const QString name = slash < 0 ? id : id.left(slash);
    const QColor color(slash < 0 ? QStringLiteral("black") : u'#' + id.mid(slash + 1));
    const int side = requestedSize.isValid() && !requestedSize.isEmpty()
                         ? qMax(requestedSize.width(), requestedSize.height())
                         : 24;
    QImage image = SymbolGlyphs::image(name, side, color.isValid() ? color : QColor(Qt::black));
    if (size) {
        *size = image.size();
    }
    return image;
}

} // namespace zorv
