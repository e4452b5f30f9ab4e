#include "jsonreader.h"

#include <QJsonDocument>
#include <QJsonParseError>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Qt's parser recurses once per level and stops only at 1024 levels, so the depth is measured
// beforehand in one flat pass. Brackets inside strings do not count; a malformed document may be
// measured wrongly here, but the parser refuses it anyway.
bool nestsTooDeep(const QByteArray &bytes) {
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : bytes) {
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        switch (c) {
        case '"':
            inString = true;
            break;
        case '[':
        case '{':
            if (++depth > kMaxJsonNesting) {
                return true;
            }
            break;
        case ']':
        case '}':
            --depth;
            break;
        default:
            break;
        }
    }
    return false;
}

} // namespace

QJsonValue parseJson(const QByteArray &bytes) {
    const QString root = u"$"_s;
    if (nestsTooDeep(bytes)) {
        throw DecodeError(root,
                          u"The document is nested deeper than %1 levels."_s.arg(kMaxJsonNesting));
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        throw DecodeError(root, u"The data is not valid JSON (%1 at offset %2)."_s.arg(
                                    error.errorString(), QString::number(error.offset)));
    }
    if (document.isObject()) {
        return document.object();
    }
    if (document.isArray()) {
        return document.array();
    }
    throw DecodeError(root, u"Expected an object or an array at the top level."_s);
}

} // namespace zorv
