#pragma once

#include "launch/launcharguments.h"

#include <QString>

#include <functional>
#include <optional>

namespace zorv {

class ShellWindows;
class SystemLog;

// Update-test mode: a copy that exists only to try the updater against a test feed. It is on
// when the environment variable ZORV_UPDATE_TEST_FEED is set (to any value) or the running
// bundle is the update-test one. Such a copy shows the about panel when "--show-about" asks for
// it and, with a test feed, logs the feed and checks it with the updater's own windows. Nothing
// else: no status item, no model (nor the engine under it), no hot keys, and "zorv://" URLs and
// re-opening go unanswered. Main thread.
class UpdateTestLaunch {
public:
    UpdateTestLaunch() = delete;

    static inline const QString bundleIdentifier = QStringLiteral("app.zorv.Zorv.updatetest");

    [[nodiscard]] static bool isUpdateTest(const std::optional<QString> &feed,
                                           const QString &runningBundleIdentifier);
    // The system-log line of the check of `feed`.
    [[nodiscard]] static QString checkingLine(const QString &feed);

    // The launch once the application has finished launching; `checkInteractively` starts the
    // updater's check with its own windows.
    static void didFinishLaunching(const LaunchArguments &arguments,
                                   const std::optional<QString> &feed, ShellWindows &windows,
                                   SystemLog &log, const std::function<void()> &checkInteractively);
};

} // namespace zorv
