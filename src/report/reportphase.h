#pragma once

#include <QString>

#include <variant>

namespace zorv::ReportProblem {

// The report was accepted under the number the endpoint returned.
struct Sent {
    QString id;
    bool operator==(const Sent &) const = default;
};

// The report was not sent and is in `file`; `why` says why.
struct Saved {
    QString file;
    QString why;
    bool operator==(const Saved &) const = default;
};

// The report file was handed to mail.
struct Emailed {
    QString file;
    bool operator==(const Emailed &) const = default;
};

// The user is writing (where every report starts).
struct Writing {
    bool operator==(const Writing &) const = default;
};

// The request is under way.
struct Sending {
    bool operator==(const Sending &) const = default;
};

// Where one report stands. Sent and Saved are final; Emailed returns to Writing on request.
using Phase = std::variant<Sent, Saved, Emailed, Writing, Sending>;

} // namespace zorv::ReportProblem
