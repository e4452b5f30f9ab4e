#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace zorv {

// Short date and time texts in a user's locale, derived from the locale's own patterns: Qt offers
// no pattern for "hour and minute" or "abbreviated month and day" alone.
class LocaleDateText {
public:
    LocaleDateText() = delete;

    // Hour and minute, with the AM/PM marker where the locale uses one: "9:05 AM", "09:05". A
    // locale whose time pattern holds a field Qt cannot render gets "HH:mm" instead.
    [[nodiscard]] static QString hourMinute(const QDateTime &dateTime, const QLocale &locale);
    // Abbreviated month and day, from the locale's long date pattern with only the weekday and the
    // year taken out: "Dec 5", "5. Dez.", "12월 5일", "12月5日", "gruod. 5 d.".
    [[nodiscard]] static QString monthDay(const QDateTime &dateTime, const QLocale &locale);
};

} // namespace zorv
