#pragma once

#include "reportfacts.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace zorv::ReportProblem {

// The report as a plain text file on the Desktop, for when it cannot be sent or goes by mail:
// everything the user wrote and everything that would have been attached, so nothing is lost.
class Fallback {
public:
    Fallback() = delete;

    // The header lines, "What happened:" with the trimmed text, then the whole, uncut
    // diagnostics after "===== diagnostics =====".
    [[nodiscard]] static QString text(const QString &appName, const Facts &facts,
                                      const QString &installID, const QString &userText,
                                      const QString &diagnostics);

    // Writes `text` as UTF-8 to "<appName>-report-<yyyy-MM-dd-HHmm>.txt" in `folder` (made when
    // missing), the time
    // in the system's time zone. An existing file is never replaced: the name then gets "-2",
    // "-3"... before ".txt". The file appears whole or not at all. Returns its path, or nullopt
    // when it could not be written.
    [[nodiscard]] static std::optional<QString> save(const QString &text, const QString &appName,
                                                     const QString &folder, const QDateTime &now);
};

} // namespace zorv::ReportProblem
