#include "desktopapp.h"
#include "instance/singleinstance.h"
#include "manualclock.h"
#include "offscreenfallback.h"
#include "quitsignals.h"
#include "realclock.h"
#include "scenario/scenarioloader.h"
#include "simoptions.h"
#include "simulatedanimationdriver.h"
#include "simulatedplatform.h"
#include "storage/zorvpaths.h"
#include "workrunner.h"
#include "zorvlaunches.h"

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

// Fast time moves the simulated clock on whenever the program waits, so nothing on screen may
// wait on the wall clock, or the next input lands on controls not yet where the last one put
// them: a window lays out its items and draws as soon as it asks to (Qt waits a few milliseconds
// of wall time by default), and windows draw on the main thread, as the animations follow the
// simulated clock there (a render thread drives them by the display's refresh). A choice the
// user made in the environment is kept. Before the first window is made.
void drawWithoutWallClockWaits() {
    if (!qEnvironmentVariableIsSet("QT_QPA_UPDATE_IDLE_TIME")) {
        qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    }
    if (!qEnvironmentVariableIsSet("QSG_RENDER_LOOP")) {
        qputenv("QSG_RENDER_LOOP", "basic");
    }
}

std::unique_ptr<ManualClock> makeFastClock(const Scenario &scenario) {
    auto clock = scenario.start ? std::make_unique<ManualClock>(*scenario.start)
                                : std::make_unique<ManualClock>();
    clock->setFastForward(true);
    return clock;
}

// Runs Zorv on the simulated Mac until it quits for good; its exit status.
int runZorv(SimulatedPlatform &platform, const SimOptions &options, SingleInstance *instance) {
    ZorvLaunches launches(platform, options);
    QObject::connect(&launches, &ZorvLaunches::finished, qApp, &QCoreApplication::exit);
    if (instance) {
        QObject::connect(instance, &SingleInstance::received, &launches,
                         &ZorvLaunches::openedByAnotherLaunch);
    }
    if (!launches.start()) {
        return 1;
    }
    // Ctrl-C and `kill` quit as the Quit row does.
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::received, &launches,
                     [&platform] { platform.desktop().application().terminate(); });
    return QGuiApplication::exec();
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

    // One copy per data folder; a second launch hands what it asks of Zorv (its own options and
    // addresses) to the running one and quits. The simulator's options set up a Mac that is
    // already running, so they ask nothing: a launch with only those opens Zorv again. Update
    // tests run a second copy beside the first on purpose; one that runs alone still answers the
    // launches after it, which bring its updater's window forward.
    const QString instanceName =
        SingleInstance::serverName(SimulatedPlatform::bundleIdentifier, ZorvPaths::root());
    const bool updateTest = qEnvironmentVariableIsSet("ZORV_UPDATE_TEST_FEED");
    std::optional<SingleInstance> instance;
    if (!updateTest || !SingleInstance::isRunning(instanceName)) {
        instance.emplace(instanceName);
        if (instance->claim(updateTest ? QStringList() : options.launchArguments) ==
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
    std::unique_ptr<Clock> clock;
    // In fast time the views' animations run on the simulated clock too.
    std::optional<SimulatedAnimationDriver> animations;
    if (options.time == SimOptions::TimeMode::Fast) {
        drawWithoutWallClockWaits();
        auto fastClock = makeFastClock(*scenario);
        animations.emplace(*fastClock);
        clock = std::move(fastClock);
    } else {
        clock = std::make_unique<RealClock>();
    }
    SimulatedPlatform platform(*clock, std::move(*scenario), true);

    const int status = runZorv(platform, options, instance ? &*instance : nullptr);
    // A worker job still running at the quit (a drag, a scan) hands its end to a coroutine whose
    // owner has gone since.
    WorkRunner::handBackOutstanding();
    return status;
}
