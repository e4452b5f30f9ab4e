#pragma once

#include "buildstamp.h"
#include "bundlefacts.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTimeZone>

#include <optional>

namespace zorv {

// Which build this is, for the about panel and anything else that shows it: the bundle's
// version and name with the build stamp's facts, and the short texts made of them. Dates are
// read as ISO 8601 internet date-times (a time-zone designator, no fraction of a second) and
// shown as the abbreviated month, day, hour and minute in the user's locale.
class Build {
public:
    Build(BuildStamp stamp, BundleFacts bundle);

    [[nodiscard]] const QString &sha() const { return m_stamp.sha; }
    [[nodiscard]] const QString &subject() const { return m_stamp.subject; }
    [[nodiscard]] const QString &branch() const { return m_stamp.branch; }
    // Built from a modified working tree.
    [[nodiscard]] bool dirty() const { return m_stamp.sha.endsWith(u'+'); }
    [[nodiscard]] std::optional<QDateTime> committed() const;
    [[nodiscard]] std::optional<QDateTime> builtAt() const;
    [[nodiscard]] const QString &version() const { return m_bundle.version; }
    [[nodiscard]] const QString &name() const { return m_bundle.displayName; }
    // "v1.4 · 3f2a9c1".
    [[nodiscard]] QString shortText() const;
    // "v1.4 · 3f2a9c1 · built Dec 5, 7:42 PM".
    [[nodiscard]] QString line(const QLocale &locale = QLocale(),
                               const QTimeZone &zone = QTimeZone::systemTimeZone()) const;
    [[nodiscard]] static QString when(const std::optional<QDateTime> &date,
                                      const QLocale &locale = QLocale(),
                                      const QTimeZone &zone = QTimeZone::systemTimeZone());
    [[nodiscard]] static std::optional<QDateTime> parseDate(const QString &text);

private:
    BuildStamp m_stamp;
    BundleFacts m_bundle;
};

} // namespace zorv
