#pragma once

#include <QDateTime>
#include <QJsonValue>
#include <QString>

#include <optional>

namespace zorv {

// The two date forms of the system's files: seconds since 2001-01-01T00:00:00Z as a JSON number
// (store files, backups, markers) and ISO-8601 text (export file, synced bundle, diagnostics).
enum class DateForm { ReferenceSeconds, Iso8601 };

// Seconds since 2001-01-01T00:00:00Z, the date form of store files, backups and markers.
[[nodiscard]] double secondsSinceReferenceDate(const QDateTime &date);
[[nodiscard]] QDateTime dateFromReferenceSeconds(double seconds);
[[nodiscard]] QJsonValue referenceDateJson(const QDateTime &date);

// ISO-8601 internet date-time in UTC with whole seconds and "Z": "2026-12-05T14:44:07Z".
[[nodiscard]] QString isoDateString(const QDateTime &date);
// Accepts exactly the form isoDateString() writes; nullopt for anything else.
[[nodiscard]] std::optional<QDateTime> parseIsoDate(const QString &text);

[[nodiscard]] QJsonValue dateJson(const QDateTime &date, DateForm form);

} // namespace zorv
