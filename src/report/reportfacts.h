#pragma once

#include <QString>

namespace zorv {
class SystemFacts;
}

namespace zorv::ReportProblem {

// The few facts about the installation that go with every report.
struct Facts {
    QString bundleID;
    QString version;
    QString build;
    QString macOS;
    QString machine;

    bool operator==(const Facts &) const = default;

    // Reads the facts: "unknown" for a bundle without identifier, "?" for a version value that
    // is missing or not a string.
    [[nodiscard]] static Facts current(const SystemFacts &system);
    // The machine's model identifier: the "hw.model" text up to its first zero byte (invalid
    // UTF-8 repaired), or "a Mac" when the query fails or gives nothing.
    [[nodiscard]] static QString model(const SystemFacts &system);
};

} // namespace zorv::ReportProblem
