#include "rowpicture.h"

#include "items/itemdisplay.h"
#include "items/publishedpictures.h"
#include "search/stablekey.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

bool usable(const std::optional<QImage> &image) {
    return image && !image->isNull();
}

} // namespace

RowPicture RowPicture::of(const MenuBarItem &item, const std::optional<QColor> &sampledBarColor,
                          PublishedPictures &pictures) {
    RowPicture picture;
    if (usable(item.capturedImage)) {
        const QImage &capture = *item.capturedImage;
        picture.kind = u"capture"_s;
        picture.source = pictures.publish(stableKey(item.id), capture);
        // Captures are taken at two pixels a point; a sliver still shows as one point.
        picture.size = QSizeF(std::max(1, capture.width() / 2), std::max(1, capture.height() / 2));
        picture.plate = ItemDisplay::backdrop(item, sampledBarColor);
    } else if (const std::optional<QString> symbol = ItemDisplay::symbol(item)) {
        picture.kind = u"symbol"_s;
        picture.symbol = *symbol;
    } else if (usable(item.appIcon)) {
        picture.kind = u"icon"_s;
        picture.source = pictures.publish(stableKey(item.id), *item.appIcon);
    }
    return picture;
}

double RowPicture::widthAt(double height) const {
    if (kind != u"capture"_s || size.isEmpty()) {
        return 0;
    }
    return height * size.width() / size.height();
}

} // namespace zorv
