#include "clockface.h"

#include <QLocale>
#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr double buttonPadding = 12.0;

double advance(QChar character) {
    static constexpr double digits[] = {8, 5, 7, 8, 7, 8, 7, 8, 7, 8};
    if (character.isDigit()) {
        return digits[character.digitValue()];
    }
    if (character == u':' || character == u' ') {
        return 4.0;
    }
    return character.isUpper() ? 9.0 : 7.0;
}

} // namespace

QString ClockFace::title(const QDateTime &time) {
    return QLocale::c().toString(time.toTimeZone(QTimeZone::utc()), u"ddd d MMM H:mm"_s);
}

double ClockFace::length(const QString &title) {
    double width = buttonPadding;
    for (const QChar character : title) {
        width += advance(character);
    }
    return width;
}

} // namespace zorv
