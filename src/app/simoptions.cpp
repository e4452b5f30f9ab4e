#include "simoptions.h"

#include "scenario/scenarioloader.h"

#include <QCommandLineParser>
#include <QUrl>

#include <algorithm>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Longer runs are surely a typo, and fit a Duration with room to spare.
constexpr double maximumRunSeconds = 366.0 * 24 * 3600;

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption scenario{
        u"sim-scenario"_s,
        u"The scenario to run: a file, or one of %1 (default: %2)."_s.arg(
            ScenarioLoader::shippedNames().join(u", "_s), ScenarioLoader::defaultName),
        u"FILE"_s};
    QCommandLineOption time{u"sim-time"_s,
                            u"real: simulated time runs with the wall clock; fast: as fast as "
                            u"the machine allows (default: real)."_s,
                            u"real|fast"_s};
    QCommandLineOption runFor{u"sim-run-for"_s, u"Quit cleanly after this much simulated time."_s,
                              u"SECONDS"_s};
    QCommandLineOption dump{u"sim-dump"_s, u"Write the bar's final state as JSON to FILE."_s,
                            u"FILE"_s};
    QCommandLineOption screenshots{
        u"sim-screenshots"_s,
        u"Save a PNG of the desktop window in DIR at each layout change and at exit."_s, u"DIR"_s};
    QCommandLineOption positions{
        u"sim-positions"_s,
        u"Keep the simulated Mac's remembered status-item positions in FILE between runs: read "
        u"at start when it exists, written at exit."_s,
        u"FILE"_s};

    QCommandLineOption openMenu{
        u"sim-open-menu"_s,
        u"Open Zorv's status menu once it has launched (as a click on its icon would), so that "
        u"pictures show it."_s};
    QCommandLineOption churnStores{
        u"sim-churn-stores"_s,
        u"For crash tests: once Zorv has launched, change its settings, profiles and layout "
        u"every simulated second and print \"churn N\" after each change."_s};
    // The application's own options.
    QList<QCommandLineOption> launch{
        {u"open-settings"_s, u"Open the settings window."_s},
        {u"report"_s, u"Open the problem-report window."_s},
        {u"report-sent"_s, u"Open the problem-report window on its \"sent\" screen."_s},
        {u"show-onboarding"_s, u"Show the welcome window even when it was completed."_s},
        {u"show-about"_s, u"Show the about panel (in update-test mode)."_s},
    };

    Parser() {
        parser.setApplicationDescription(u"Zorv on a simulated desktop."_s);
        parser.addHelpOption();
        parser.addOptions(
            {scenario, time, runFor, dump, screenshots, positions, openMenu, churnStores});
        parser.addOptions(launch);
        parser.addPositionalArgument(
            u"url"_s, u"Addresses to open, such as zorv://settings/style."_s, u"[url...]"_s);
    }
};

// An address with a scheme, such as "zorv://settings"; a bare word is not one.
bool isAddress(const QString &argument) {
    const QUrl url(argument);
    return url.isValid() && !url.scheme().isEmpty() && argument.contains(u"://"_s);
}

} // namespace

std::variant<SimOptions, QString> SimOptions::parse(const QStringList &arguments) {
    Parser p;
    if (!p.parser.parse(arguments)) {
        return p.parser.errorText();
    }
    for (const QString &argument : p.parser.positionalArguments()) {
        if (!isAddress(argument)) {
            return u"Unexpected argument \"%1\"."_s.arg(argument);
        }
    }
    SimOptions options;
    for (const QString &argument : arguments.mid(1)) {
        const bool launchOption =
            std::any_of(p.launch.cbegin(), p.launch.cend(), [&](const QCommandLineOption &option) {
                return argument == u"--"_s + option.names().constFirst();
            });
        if (launchOption || p.parser.positionalArguments().contains(argument)) {
            options.launchArguments.append(argument);
        }
    }
    options.helpRequested = p.parser.isSet(u"help"_s);
    options.openMenu = p.parser.isSet(p.openMenu);
    options.churnStores = p.parser.isSet(p.churnStores);
    options.scenario =
        p.parser.isSet(p.scenario) ? p.parser.value(p.scenario) : ScenarioLoader::defaultName;
    if (p.parser.isSet(p.time)) {
        const QString time = p.parser.value(p.time);
        if (time == u"fast"_s) {
            options.time = TimeMode::Fast;
        } else if (time != u"real"_s) {
            return u"--sim-time takes \"real\" or \"fast\", not \"%1\"."_s.arg(time);
        }
    }
    if (p.parser.isSet(p.runFor)) {
        bool ok = false;
        const double runSeconds = p.parser.value(p.runFor).toDouble(&ok);
        if (!ok || !std::isfinite(runSeconds) || runSeconds <= 0.0 ||
            runSeconds > maximumRunSeconds) {
            return u"--sim-run-for takes a number of seconds above 0 and at most %1, not \"%2\"."_s
                .arg(maximumRunSeconds)
                .arg(p.parser.value(p.runFor));
        }
        options.runFor = seconds(runSeconds);
    }
    options.dumpPath = p.parser.value(p.dump);
    options.screenshotFolder = p.parser.value(p.screenshots);
    if (p.parser.isSet(p.dump) && options.dumpPath.isEmpty()) {
        return u"--sim-dump needs a file name."_s;
    }
    if (p.parser.isSet(p.screenshots) && options.screenshotFolder.isEmpty()) {
        return u"--sim-screenshots needs a folder."_s;
    }
    options.positionsPath = p.parser.value(p.positions);
    if (p.parser.isSet(p.positions) && options.positionsPath.isEmpty()) {
        return u"--sim-positions needs a file name."_s;
    }
    if (options.time == TimeMode::Fast && !options.screenshotFolder.isEmpty() && !options.runFor) {
        // Simulated minutes pass in moments, each with a new picture: the folder would only grow.
        return u"--sim-time fast with --sim-screenshots needs --sim-run-for."_s;
    }
    return options;
}

QString SimOptions::helpText() {
    return Parser().parser.helpText();
}

} // namespace zorv
