#include "launch/launcharguments.h"

#include "launch/urlrouter.h"

#include <algorithm>

namespace zorv {

LaunchArguments LaunchArguments::parse(const QStringList &arguments) {
    LaunchArguments parsed;
    parsed.openSettings = arguments.contains(QStringLiteral("--open-settings"));
    parsed.settingsAddress = std::ranges::any_of(arguments, [](const QString &argument) {
        return !argument.startsWith(QStringLiteral("--")) && UrlRouter::route(QUrl(argument));
    });
    parsed.report = arguments.contains(QStringLiteral("--report"));
    parsed.reportSent = arguments.contains(QStringLiteral("--report-sent"));
    parsed.showOnboarding = arguments.contains(QStringLiteral("--show-onboarding"));
    parsed.showAbout = arguments.contains(QStringLiteral("--show-about"));
    return parsed;
}

} // namespace zorv
