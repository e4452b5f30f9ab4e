#pragma once

#include <QStringList>

namespace zorv {

// The launch arguments the shell answers, each looked for anywhere on the command line, options
// and addresses alike.
struct LaunchArguments {
    // Id of the report the "--report-sent" screen shows.
    static inline const QString sentReportId = QStringLiteral("R-7K3QXM");

    bool openSettings = false;
    // A "zorv://settings" address is among the arguments.
    bool settingsAddress = false;
    bool report = false;
    bool reportSent = false;
    bool showOnboarding = false;
    // Honoured in update-test mode only.
    bool showAbout = false;

    [[nodiscard]] static LaunchArguments parse(const QStringList &arguments);

    friend bool operator==(const LaunchArguments &, const LaunchArguments &) = default;
};

} // namespace zorv
