#include "look/hexcolor.h"

namespace zorv {

namespace {

// Spaces of every kind and tabs; line breaks stay.
bool isTrimmed(QChar c) {
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

int hexDigit(QChar c) {
    if (c >= u'0' && c <= u'9') {
        return c.unicode() - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c.unicode() - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c.unicode() - u'A' + 10;
    }
    return -1;
}

} // namespace

std::optional<QColor> HexColor::parse(QStringView text) {
    while (!text.isEmpty() && isTrimmed(text.front())) {
        text = text.mid(1);
    }
    while (!text.isEmpty() && isTrimmed(text.back())) {
        text.chop(1);
    }
    if (text.startsWith(u'#')) {
        text = text.mid(1);
    }
    if (text.size() != 6) {
        return std::nullopt;
    }
    // Digit by digit rather than a number parse: a sign ("+FFFFF", "-00001") is not a colour.
    int value = 0;
    for (QChar c : text) {
        const int digit = hexDigit(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return QColor::fromRgb((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

} // namespace zorv
