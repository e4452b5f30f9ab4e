#include "keycaps/keycaptext.h"

#include "keycaps/keycapimageprovider.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QString escaped(const QString &plain) {
    QString out;
    out.reserve(plain.size());
    for (QChar c : plain) {
        switch (c.unicode()) {
        case u'&':
            out += u"&amp;"_s;
            break;
        case u'<':
            out += u"&lt;"_s;
            break;
        case u'>':
            out += u"&gt;"_s;
            break;
        case u'"':
            out += u"&quot;"_s;
            break;
        case u'\n':
            out += u"<br>"_s;
            break;
        case u' ':
            // Runs of spaces stay as typed.
            out += out.endsWith(u' ') || out.isEmpty() ? u"&nbsp;"_s : u" "_s;
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

QList<KeyCapText::Segment> KeyCapText::segments(const QString &text) {
    QList<Segment> result;
    qsizetype position = 0;
    while (true) {
        const qsizetype open = text.indexOf(u'{', position);
        if (open < 0) {
            break;
        }
        const qsizetype close = text.indexOf(u'}', open + 1);
        if (close < 0) {
            break;
        }
        if (open > position) {
            result.append({text.mid(position, open - position), std::nullopt});
        }
        result.append({QString(), KeyCapDrawing::keys(text.mid(open + 1, close - open - 1))});
        position = close + 1;
    }
    if (position < text.size()) {
        result.append({text.mid(position), std::nullopt});
    }
    return result;
}

QString KeyCapText::markup(const QString &text, qreal size, const QColor &color) {
    QString out;
    for (const Segment &segment : segments(text)) {
        if (!segment.caps) {
            out += escaped(segment.plain);
            continue;
        }
        const QSizeF caps = KeyCapDrawing::size(*segment.caps, size, KeyCapDrawing::Weight::Prose);
        // A middle-aligned image is centred on its line, halfway between the ascender and the
        // descender lines of the text.
        const ImageRequest request{*segment.caps, size, color};
        out += u"<img src=\"image://%1/%2\" width=\"%3\" height=\"%4\" align=\"middle\">"_s.arg(
            KeyCapImageProvider::providerId, imageId(request), QString::number(caps.width()),
            QString::number(caps.height()));
    }
    return out;
}

QString KeyCapText::imageId(const ImageRequest &request) {
    QStringList parts{QString::number(request.size), request.color.name(QColor::HexArgb).mid(1)};
    for (const QString &key : request.keys) {
        parts.append(u'k' + QString::fromLatin1(key.toUtf8().toHex()));
    }
    return parts.join(u'/');
}

std::optional<KeyCapText::ImageRequest> KeyCapText::parseImageId(const QString &id) {
    const QStringList parts = id.split(u'/');
    if (parts.size() < 2) {
        return std::nullopt;
    }
    ImageRequest request;
    bool sizeOk = false;
    request.size = parts.at(0).toDouble(&sizeOk);
    request.color = QColor(u'#' + parts.at(1));
    if (!sizeOk || !std::isfinite(request.size) || request.size <= 0 || request.size > 512 ||
        !request.color.isValid()) {
        return std::nullopt;
    }
    for (qsizetype i = 2; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        if (!part.startsWith(u'k')) {
            return std::nullopt;
        }
        const QByteArray hex = part.mid(1).toLatin1();
        const QByteArray bytes = QByteArray::fromHex(hex);
        if (bytes.toHex() != hex.toLower()) {
            return std::nullopt;
        }
        request.keys.append(QString::fromUtf8(bytes));
    }
    return request;
}

} // namespace zorv
