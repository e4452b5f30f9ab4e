#include "look/hexcolor.h"

#include <algorithm>
#include <cmath>

namespace zorv {

namespace {

// Spaces of every kind and tabs; line breaks stay.
bool isTrimmed(QChar c) {
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

// One component in 0-255; what is not a number counts as 0.
int byteOf(float component) {
    const double scaled = std::round(double(component) * 255.0);
    if (std::isnan(scaled)) {
        return 0;
    }
    return static_cast<int>(std::clamp(scaled, 0.0, 255.0));
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

QString HexColor::hexString(const QColor &color) {
    // Extended sRGB keeps components outside 0-1 instead of clipping them on the way.
    const QColor rgb = color.isValid() ? color.toExtendedRgb() : QColor(Qt::black).toExtendedRgb();
    return QStringLiteral("#%1%2%3")
        .arg(byteOf(rgb.redF()), 2, 16, QLatin1Char('0'))
        .arg(byteOf(rgb.greenF()), 2, 16, QLatin1Char('0'))
        .arg(byteOf(rgb.blueF()), 2, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace zorv
