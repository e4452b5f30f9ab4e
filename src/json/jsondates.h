#pragma once

#include <QDateTime>
#include <QJsonValue>
#include <QString>

#include <optional>

namespace zorv {

// The two date forms of the system's files: seconds since 2001-01-01T00:00:00Z as a JSON number
// (store files, backups, markers) and ISO-8601 text (export file, synced bundle, diagnostics).
enum class DateForm { ReferenceSeconds, Iso8601 };

// Seconds since 2001-01-01T00:00:00Z, the date form of store files, backups and markers. Keeps the
// date's milliseconds; NaN for an invalid date.
[[nodiscard]] double secondsSinceReferenceDate(const QDateTime &date);
// The UTC date at that many seconds, rounded to the millisecond; invalid for a non-finite number or
// one beyond the dates QDateTime can hold.
[[nodiscard]] QDateTime dateFromReferenceSeconds(double seconds);
[[nodiscard]] QJsonValue referenceDateJson(const QDateTime &date);

// ISO-8601 internet date-time in UTC with whole seconds and "Z": "2026-12-05T14:44:07Z". The
// fraction of a second is dropped. Empty for an invalid date or one outside the years 1 to 9999,
// which the form cannot hold.
[[nodiscard]] QString isoDateString(const QDateTime &date);
// Accepts the internet date-times isoDateString() writes and the same with an offset from UTC in
// place of the "Z" ("2026-12-01T10:00:00+01:00" is 09:00:00 UTC): upper-case "T", whole seconds,
// every field in range, an offset of "+" or "-" and hours:minutes up to 23:59. The date is in UTC;
// nullopt for anything else, and for a date whose UTC form is outside the years 1 to 9999.
[[nodiscard]] std::optional<QDateTime> parseIsoDate(const QString &text);

// The date in the given form. A date the form cannot hold becomes a non-finite number, which
// writeJson() refuses: a file with a date that would not read back is never written.
[[nodiscard]] QJsonValue dateJson(const QDateTime &date, DateForm form);

} // namespace zorv
