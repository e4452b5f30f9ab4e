#include "desktopapp.h"
#include "instance/singleinstance.h"
#include "manualclock.h"
#include "offscreenfallback.h"
#include "quitsignals.h"
#include "realclock.h"
#include "scenario/scenarioloader.h"
#include "simoptions.h"
#include "simulatedplatform.h"
#include "storage/zorvpaths.h"

#include <QGuiApplication>
#include <QtQml/QQmlExtensionPlugin>

#include <cstdio>
#include <memory>
#include <optional>

Q_IMPORT_QML_PLUGIN(Zorv_DesktopPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_ModelPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_ReportPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_SettingsPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_PanelsPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_ShellPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_UIPlugin)

using namespace zorv;

namespace {

void print(FILE *stream, const QString &text) {
    std::fputs(qPrintable(text + u'\n'), stream);
}

std::unique_ptr<Clock> makeClock(SimOptions::TimeMode mode, const Scenario &scenario) {
    if (mode == SimOptions::TimeMode::Real) {
        return std::make_unique<RealClock>();
    }
    auto clock = scenario.start ? std::make_unique<ManualClock>(*scenario.start)
                                : std::make_unique<ManualClock>();
    clock->setFastForward(true);
    return clock;
}

} // namespace

int main(int argc, char *argv[]) {
    if (const std::optional<QString> note = chooseOffscreenWithoutDisplay()) {
        print(stderr, *note);
    }
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(SimulatedPlatform::applicationName);

    const auto parsed = SimOptions::parse(QGuiApplication::arguments());
    if (const auto *error = std::get_if<QString>(&parsed)) {
        print(stderr, *error + QStringLiteral("\n\n") + SimOptions::helpText());
        return 2;
    }
    const SimOptions options = std::get<SimOptions>(parsed);
    if (options.helpRequested) {
        print(stdout, SimOptions::helpText());
        return 0;
    }

    // One copy per data folder; a second launch hands its arguments to the running one and
    // quits. Update tests run a second copy beside the first on purpose.
    std::optional<SingleInstance> instance;
    if (!qEnvironmentVariableIsSet("ZORV_UPDATE_TEST_FEED")) {
        instance.emplace(
            SingleInstance::serverName(SimulatedPlatform::bundleIdentifier, ZorvPaths::root()));
        if (instance->claim(QGuiApplication::arguments().mid(1)) ==
            SingleInstance::Claim::HandedOver) {
            return 0;
        }
    }

    std::optional<Scenario> scenario;
    try {
        scenario = DesktopApp::loadScenario(options);
    } catch (const ScenarioError &error) {
        print(stderr, error.message());
        return 2;
    }
    const std::unique_ptr<Clock> clock = makeClock(options.time, *scenario);
    SimulatedPlatform platform(*clock, std::move(*scenario), true);

    DesktopApp desktopApp(platform, options);
    QObject::connect(&desktopApp, &DesktopApp::finished, &app, &QCoreApplication::exit);
    if (instance) {
        QObject::connect(&*instance, &SingleInstance::received, &desktopApp,
                         &DesktopApp::openedByAnotherLaunch);
    }
    if (!desktopApp.start()) {
        return 1;
    }
    // Ctrl-C and `kill` quit as the Quit row does.
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::received, &desktopApp,
                     [&platform] { platform.desktop().application().terminate(); });
    return QGuiApplication::exec();
}
