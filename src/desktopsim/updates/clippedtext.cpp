#include "clippedtext.h"

namespace zorv {

QString clippedText(QString text, qsizetype length) {
    if (text.size() <= length) {
        return text;
    }
    text.truncate(length - 1);
    if (!text.isEmpty() && text.back().isHighSurrogate()) {
        text.chop(1);
    }
    text.append(u'…');
    return text;
}

} // namespace zorv
