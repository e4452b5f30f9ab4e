#pragma once

#include <QStringList>

namespace zorv {

// The launch arguments the shell answers, each looked for anywhere on the command line.
struct LaunchArguments {
    // Id of the report the "--report-sent" screen shows.
    static inline const QString sentReportId = QStringLiteral("R-7K3QXM");

    bool openSettings = false;
    bool report = false;
    bool reportSent = false;
    bool showOnboarding = false;
    // Honoured in update-test mode only.
    bool showAbout = false;

    [[nodiscard]] static LaunchArguments parse(const QStringList &arguments);

    friend bool operator==(const LaunchArguments &, const LaunchArguments &) = default;
};

} // namespace zorv
