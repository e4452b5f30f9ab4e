#include "launch/launcharguments.h"

namespace zorv {

LaunchArguments LaunchArguments::parse(const QStringList &arguments) {
    LaunchArguments parsed;
    parsed.openSettings = arguments.contains(QStringLiteral("--open-settings"));
    parsed.report = arguments.contains(QStringLiteral("--report"));
    parsed.reportSent = arguments.contains(QStringLiteral("--report-sent"));
    parsed.showOnboarding = arguments.contains(QStringLiteral("--show-onboarding"));
    parsed.showAbout = arguments.contains(QStringLiteral("--show-about"));
    return parsed;
}

} // namespace zorv
