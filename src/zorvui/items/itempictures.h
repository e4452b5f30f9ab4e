#pragma once

#include <QHash>
#include <QImage>
#include <QMutex>
#include <QQuickImageProvider>
#include <QUrl>

namespace zorv {

// The pictures of menu-bar items that views show (search rows, pickers, layout chips), by a key of
// the caller's (the item's stable key), served to QML as "image://zorvitem/<key>/<tint>". A
// template picture (a captured glyph, a system symbol) is drawn in the tint; any other keeps its
// colours. A key without a picture gives an empty image. Thread-safe: QML loads images on its
// own threads.
class ItemPictures : public QQuickImageProvider {
public:
    static inline const QString providerId = QStringLiteral("zorvitem");

    ItemPictures();

    void set(const QString &key, const QImage &picture, bool isTemplate);
    void remove(const QString &key);
    // Where QML finds the picture of `key`, tinted `tint` when it is a template.
    [[nodiscard]] static QUrl source(const QString &key, const QColor &tint);

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

private:
    struct Picture {
        QImage image;
        bool isTemplate = false;
    };

    QMutex m_mutex;
    QHash<QString, Picture> m_pictures;
};

} // namespace zorv
