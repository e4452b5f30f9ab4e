#include "items/itempictures.h"

#include <QPainter>

using namespace Qt::StringLiterals;

namespace zorv {

ItemPictures::ItemPictures() : QQuickImageProvider(QQuickImageProvider::Image) {}

void ItemPictures::set(const QString &key, const QImage &picture, bool isTemplate) {
    QMutexLocker lock(&m_mutex);
    m_pictures.insert(key, Picture{picture, isTemplate});
}

void ItemPictures::remove(const QString &key) {
    QMutexLocker lock(&m_mutex);
    m_pictures.remove(key);
}

QUrl ItemPictures::source(const QString &key, const QColor &tint) {
    // Keys are free text: hex keeps them clear of the URL's separators.
    return QUrl(u"image://%1/%2/%3"_s.arg(providerId, QString::fromLatin1(key.toUtf8().toHex()),
                                          tint.name(QColor::HexArgb).mid(1)));
}

QImage ItemPictures::requestImage(const QString &id, QSize *size, const QSize &requestedSize) {
    const qsizetype slash = id.indexOf(u'/');
    const QString key = QString::fromUtf8(QByteArray::fromHex(id.left(slash).toLatin1()));
    const QColor tint(u'#' + id.mid(slash + 1));
    Picture picture;
    {
        QMutexLocker lock(&m_mutex);
        picture = m_pictures.value(key);
    }
    QImage image = picture.image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull() && requestedSize.isValid() && !requestedSize.isEmpty()) {
        image = image.scaled(requestedSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (!image.isNull() && picture.isTemplate && slash >= 0 && tint.isValid()) {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), tint);
    }
    if (size) {
        *size = image.size();
    }
    return image;
}

} // namespace zorv
