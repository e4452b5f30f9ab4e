#include "items/publishedpictures.h"

#include "items/itempictures.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// What a picture looks like, in a few hex digits: its size and its pixels.
QString digest(const QImage &picture) {
    const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const size_t hash = qHash(
        QByteArrayView(reinterpret_cast<const char *>(pixels.constBits()), pixels.sizeInBytes()),
        qHash(pixels.width(), size_t(pixels.height())));
    return QString::number(quint64(hash), 16);
}

} // namespace

PublishedPictures::PublishedPictures(const void *owner, ItemPictures *pictures)
    : m_prefix(u"list-%1/"_s.arg(quintptr(owner), 0, 16)), m_pictures(pictures) {}

PublishedPictures::~PublishedPictures() {
    m_published.clear();
    dropUnpublished();
}

QUrl PublishedPictures::publish(const QString &itemKey, const QImage &picture,
                                const std::optional<QColor> &templateTint) {
    if (!m_pictures || picture.isNull()) {
        return {};
    }
    const QString key =
        m_prefix + itemKey + u'/' + digest(picture) + (templateTint ? u"t"_s : u"c"_s);
    if (!m_held.contains(key)) {
        m_pictures->set(key, picture, templateTint.has_value());
        m_held.insert(key);
    }
    m_published.insert(key);
    return ItemPictures::source(key, templateTint.value_or(QColor()));
}

void PublishedPictures::dropUnpublished() {
    for (auto it = m_held.begin(); it != m_held.end();) {
        if (m_published.contains(*it)) {
            ++it;
            continue;
        }
        if (m_pictures) {
            m_pictures->remove(*it);
        }
        it = m_held.erase(it);
    }
    m_published.clear();
}

} // namespace zorv
