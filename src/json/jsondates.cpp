#include "jsondates.h"

#include <QDate>
#include <QStringView>
#include <QTime>

#include <cmath>
#include <limits>

namespace zorv {

namespace {

// 2001-01-01T00:00:00Z in milliseconds since 1970-01-01T00:00:00Z.
constexpr qint64 kReferenceEpochMSecs = 978307200000;
// Beyond this many milliseconds the rounding to qint64 could overflow; QDateTime tops out long
// before anyway.
constexpr double kMaxMSecs = 4.0e18;

int digits(QStringView text, qsizetype from, qsizetype count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') {
            return -1;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

// The seconds east of UTC a time-zone designator stands for: "Z" is UTC, "+HH:mm" and "-HH:mm"
// are ahead of and behind it, up to 23:59.
std::optional<int> offsetSeconds(QStringView zone) {
    if (zone == u"Z") {
        return 0;
    }
    if (zone.size() != 6 || (zone[0] != u'+' && zone[0] != u'-') || zone[3] != u':') {
        return std::nullopt;
    }
    const int hours = digits(zone, 1, 2);
    const int minutes = digits(zone, 4, 2);
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59) {
        return std::nullopt;
    }
    const int seconds = (hours * 60 + minutes) * 60;
    return zone[0] == u'-' ? -seconds : seconds;
}

} // namespace

double secondsSinceReferenceDate(const QDateTime &date) {
    if (!date.isValid()) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return static_cast<double>(date.toMSecsSinceEpoch() - kReferenceEpochMSecs) / 1000.0;
}

QDateTime dateFromReferenceSeconds(double seconds) {
    const double msecs = seconds * 1000.0;
    if (!std::isfinite(msecs) || std::fabs(msecs) > kMaxMSecs) {
        return {};
    }
    return QDateTime::fromMSecsSinceEpoch(std::llround(msecs) + kReferenceEpochMSecs, Qt::UTC);
}

QJsonValue referenceDateJson(const QDateTime &date) {
    return secondsSinceReferenceDate(date);
}

QString isoDateString(const QDateTime &date) {
    if (!date.isValid()) {
        return {};
    }
    const QDateTime utc = date.toUTC();
    const QDate day = utc.date();
    const QTime time = utc.time();
    if (day.year() < 1 || day.year() > 9999) {
        return {};
    }
    return QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02dZ", day.year(), day.month(), day.day(),
                             time.hour(), time.minute(), time.second());
}

std::optional<QDateTime> parseIsoDate(const QString &text) {
    // yyyy-MM-ddTHH:mm:ss, then "Z" or an offset from UTC, "+HH:mm" or "-HH:mm".
    if (text.size() < 20 || text[4] != u'-' || text[7] != u'-' || text[10] != u'T' ||
        text[13] != u':' || text[16] != u':') {
        return std::nullopt;
    }
    const int year = digits(text, 0, 4);
    const int month = digits(text, 5, 2);
    const int day = digits(text, 8, 2);
    const int hour = digits(text, 11, 2);
    const int minute = digits(text, 14, 2);
    const int second = digits(text, 17, 2);
    if (year < 1 || month < 0 || day < 0 || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59 || !QDate::isValid(year, month, day)) {
        return std::nullopt;
    }
    const auto offset = offsetSeconds(text.sliced(19));
    if (!offset) {
        return std::nullopt;
    }
    const QDateTime date =
        QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC).addSecs(-*offset);
    // A date the form cannot write back once in UTC is not read either.
    if (date.date().year() < 1 || date.date().year() > 9999) {
        return std::nullopt;
    }
    return date;
}

QJsonValue dateJson(const QDateTime &date, DateForm form) {
    switch (form) {
    case DateForm::ReferenceSeconds:
        return referenceDateJson(date);
    case DateForm::Iso8601: {
        const QString text = isoDateString(date);
        if (text.isEmpty()) {
            return std::numeric_limits<double>::quiet_NaN();
        }
        return text;
    }
    }
    Q_UNREACHABLE();
}

} // namespace zorv
