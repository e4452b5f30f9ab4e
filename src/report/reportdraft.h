#pragma once

#include <QString>

namespace zorv::ReportProblem {

// The unsent report text, kept in memory for the life of the process so that a closed and
// reopened report window shows what the user had written. One per process, shared by every
// report model.
struct Draft {
    QString text;
};

} // namespace zorv::ReportProblem
