#pragma once

#include "keycaps/keycapdrawing.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorv {

// Running text with inline key caps: every "{token}" of a text becomes the caps of
// KeyCapDrawing::keys(token), and everything else stays exactly as written. Notes, blurbs and
// guides use it ("Hold {option} and click").
class KeyCapText {
public:
    // One piece of the text: plain characters, or the caps of one token.
    struct Segment {
        QString plain;
        std::optional<QStringList> caps;

        friend bool operator==(const Segment &, const Segment &) = default;
    };

    // The text split into plain pieces and tokens, in order. A "{" without a later "}" ends the
    // scan: it and everything after it stay plain. Empty plain pieces are left out.
    [[nodiscard]] static QList<Segment> segments(const QString &text);

    // Markup for a QML Text in StyledText format: plain pieces escaped so that markup characters
    // show as typed, caps as inline images (see imageSource) in `color`, centred on the middle
    // between the ascender and descender lines of the surrounding text of pixel size `size`.
    [[nodiscard]] static QString markup(const QString &text, qreal size, const QColor &color);

    // What the key-cap image provider is asked for: prose caps of point size `size` in `color`.
    struct ImageRequest {
        QStringList keys;
        qreal size = 0;
        QColor color;

        friend bool operator==(const ImageRequest &, const ImageRequest &) = default;
    };
    // The image id for a request, and back; an id that does not decode gives nothing.
    [[nodiscard]] static QString imageId(const ImageRequest &request);
    [[nodiscard]] static std::optional<ImageRequest> parseImageId(const QString &id);
};

} // namespace zorv
