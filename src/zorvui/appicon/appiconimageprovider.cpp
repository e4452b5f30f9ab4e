#include "appicon/appiconimageprovider.h"

#include "appicon/zorvappicon.h"

namespace zorv {

AppIconImageProvider::AppIconImageProvider() : QQuickImageProvider(QQuickImageProvider::Image) {}

QImage AppIconImageProvider::requestImage(const QString &, QSize *size,
                                          const QSize &requestedSize) {
    const int side = requestedSize.isValid() && !requestedSize.isEmpty()
                         ? qMax(requestedSize.width(), requestedSize.height())
                         : 64;
    QImage image = ZorvAppIcon::image(qMin(side, ZorvAppIcon::largestSide));
    if (size) {
        *size = image.size();
    }
    return image;
}

} // namespace zorv
