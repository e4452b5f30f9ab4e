#pragma once

#include "clock.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace zorv {

// The command-line options of the simulated desktop ("--sim-..."), read strictly: an unknown
// option, a missing value or a value out of range is an error with a message for the user.
struct SimOptions {
    enum class TimeMode { Real, Fast };

    // A file path or the name of a shipped scenario.
    QString scenario;
    TimeMode time = TimeMode::Real;
    // Quit cleanly after this much simulated time.
    std::optional<Duration> runFor;
    // Where to write the bar's final state as JSON.
    QString dumpPath;
    // Where to save a picture of the window at each layout change and at exit.
    QString screenshotFolder;
    // Where the simulated Mac keeps its remembered status-item positions between runs.
    QString positionsPath;
    // "--help": print helpText() and do nothing else.
    bool helpRequested = false;
    // "--sim-open-menu": open the status menu once Zorv has launched.
    bool openMenu = false;
    // The application's own launch arguments, in the order given: its options ("--open-settings",
    // "--report", "--report-sent", "--show-onboarding", "--show-about") and the addresses it is
    // asked to open ("zorv://settings/arrange").
    QStringList launchArguments;
    // "--sim-churn-stores": once Zorv has launched, change its stored files every simulated
    // second (StoreChurn), for crash tests.
    bool churnStores = false;

    // `arguments` as QCoreApplication::arguments() gives them, the program first. The error text
    // when they are not understood.
    [[nodiscard]] static std::variant<SimOptions, QString> parse(const QStringList &arguments);
    // The options' help text.
    [[nodiscard]] static QString helpText();

    friend bool operator==(const SimOptions &, const SimOptions &) = default;
};

} // namespace zorv
