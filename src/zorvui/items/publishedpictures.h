#pragma once

#include "items/itempictures.h"

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QUrl>

#include <optional>

namespace zorv {

// The pictures one list hands to the kit's item pictures, under keys of its own: a key names one
// picture's content, so a changed picture gets a new address (views load it afresh) while an
// unchanged one keeps its address (views keep what they drew), and lists never drop each other's
// pictures. Pictures a list stops publishing are dropped at its next dropUnpublished(), and all of
// them when it goes. Main thread.
class PublishedPictures {
public:
    // `owner` tells this list's keys apart from other lists'; without `pictures` (null, or gone
    // with their QML engine) nothing is published and every address is empty.
    PublishedPictures(const void *owner, ItemPictures *pictures);
    ~PublishedPictures();
    PublishedPictures(const PublishedPictures &) = delete;
    PublishedPictures &operator=(const PublishedPictures &) = delete;

    // Where views find `picture` of the item of `itemKey`: drawn as it is, or with a template
    // tint as a template picture in that colour.
    [[nodiscard]] QUrl publish(const QString &itemKey, const QImage &picture,
                               const std::optional<QColor> &templateTint = std::nullopt);
    // Drops the pictures not published since the last call.
    void dropUnpublished();

private:
    QString m_prefix;
    QPointer<ItemPictures> m_pictures;
    QSet<QString> m_held;
    QSet<QString> m_published;
};

} // namespace zorv
