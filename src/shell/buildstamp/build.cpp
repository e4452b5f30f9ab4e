#include "build.h"

#include "update/localedatetext.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zorv {

Build::Build(BuildStamp stamp, BundleFacts bundle)
    : m_stamp(std::move(stamp)), m_bundle(std::move(bundle)) {}

std::optional<QDateTime> Build::parseDate(const QString &text) {
    static const QRegularExpression form(
        u"^\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2}(Z|[+-]\\d{2}:\\d{2})$"_s);
    if (!form.match(text).hasMatch()) {
        return std::nullopt;
    }
    const QDateTime date = QDateTime::fromString(text, Qt::ISODate);
    return date.isValid() ? std::optional<QDateTime>(date) : std::nullopt;
}

std::optional<QDateTime> Build::committed() const {
    return parseDate(m_stamp.committed);
}

std::optional<QDateTime> Build::builtAt() const {
    return parseDate(m_stamp.builtAt);
}

QString Build::shortText() const {
    return u"v"_s + version() + u" · "_s + sha();
}

QString Build::line(const QLocale &locale, const QTimeZone &zone) const {
    return shortText() + u" · built "_s + when(builtAt(), locale, zone);
}

QString Build::when(const std::optional<QDateTime> &date, const QLocale &locale,
                    const QTimeZone &zone) {
    if (!date) {
        return u"unknown"_s;
    }
    const QDateTime local = date->toTimeZone(zone);
    return LocaleDateText::monthDay(local, locale) + u", "_s +
           LocaleDateText::hourMinute(local, locale);
}

} // namespace zorv
