#pragma once

#include <QString>

namespace zorv {

// What the report sheet shows: the four screens of the report window and what each needs.
// The sheet knows nothing of the report model; ZorvReportContent maps the model's phases onto
// these.
struct ReportSheetPhase {
    enum class Kind { Sent, Saved, Writing, Sending };

    Kind kind = Kind::Writing;
    // Sent: the report number.
    QString id = {};
    // Saved: the file's name and a sentence saying why it is there.
    QString fileName = {};
    QString why = {};

    bool operator==(const ReportSheetPhase &) const = default;
};

} // namespace zorv
