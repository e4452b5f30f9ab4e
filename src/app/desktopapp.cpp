#include "desktopapp.h"

#include "desktopdump.h"
#include "keptpositionsfile.h"
#include "kit/zorvkit.h"
#include "reportbuilder.h"
#include "scenario/scenarioloader.h"
#include "simulatedplatform.h"
#include "storage/zorvpaths.h"
#include "zorvreportconfig.h"

#include <QCoreApplication>
#include <QPointer>
#include <QQuickWindow>
#include <QStandardPaths>
#include <QtDebug>

using namespace Qt::StringLiterals;

namespace zorv {

Scenario DesktopApp::loadScenario(const SimOptions &options) {
    Scenario scenario = ScenarioLoader::load(options.scenario);
    if (!options.positionsPath.isEmpty()) {
        const RememberedPositions kept = KeptPositionsFile::read(options.positionsPath);
        for (auto owner = kept.cbegin(); owner != kept.cend(); ++owner) {
            scenario.rememberedPositions[owner.key()].insert(*owner);
        }
    }
    return scenario;
}

DesktopApp::DesktopApp(SimulatedPlatform &platform, SimOptions options, QObject *parent)
    : QObject(parent), m_platform(platform), m_options(std::move(options)), m_viewModel(platform),
      m_shell(platform.systemLog()),
      m_windows(platform.systemLog(),
                [this](const std::optional<QString> &sentReportId) {
                    if (sentReportId) {
                        showReport(ReportProblem::Phase(ReportProblem::Sent{*sentReportId}));
                    } else {
                        showReport();
                    }
                }),
      m_reportConfig(ZorvReportConfig::make(ZorvPaths::root(), platform.desktop().accessibility())),
      m_reports(
          m_engine,
          ReportProblem::Services{
              .clock = platform.clock(),
              .network = m_network,
              .facts = platform.desktop().systemFacts(),
              .fileViewer = platform.desktop().fileViewer(),
              .workspace = platform.workspace(),
              .desktopFolder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
              .serialise = &ReportProblem::Builder::serialise,
          },
          platform.desktop().pasteboard()) {
    // The UI kit's palette follows the simulated Mac's appearance; its timers run on its clock.
    m_kit = &ZorvKit::install(m_engine, m_platform.desktop().appearance(), m_platform.clock());
    if (!m_options.screenshotFolder.isEmpty()) {
        m_screenshots.emplace(m_options.screenshotFolder);
    }
    connect(&m_platform.scenario(), &ScenarioRunner::warning, this,
            [](const QString &message) { qWarning().noquote() << u"Scenario:"_s << message; });
    connect(qApp, &QCoreApplication::aboutToQuit, this, &DesktopApp::finish);
    // The engine hands the pool work at every scan, 30 s apart: just as long as an idle thread
    // would otherwise wait before ending, so that each scan started a new thread.
    m_enginePool.setExpiryTimeout(-1);
    m_menuPopup = std::make_unique<MenuPopup>(m_platform.desktop().menus(),
                                              m_platform.desktop().appWindows(), m_engine);
    // Quitting from the menu ends the run as the run limit does.
    connect(&m_platform.desktop().application(), &Application::terminated, this,
            [this] { Q_EMIT finished(finish()); });
}

DesktopApp::~DesktopApp() {
    m_lifetime.cancel();
    m_delegate.reset();
    m_viewModel.setEngine(nullptr);
    m_viewModel.setModel(nullptr);
    if (!m_flushPool->waitForDone(0)) {
        // A disk that hangs must not hold the quit up: the writes go on as the process ends.
        (void)m_flushPool.release();
    }
}

QUrl DesktopApp::mainQmlUrl() {
    return QUrl(u"qrc:/Zorv/Desktop/Main.qml"_s);
}

void DesktopApp::showReport(const std::optional<ReportProblem::Phase> &preview) {
    m_reports.show(m_reportConfig, preview);
}

QQuickWindow *DesktopApp::window() const {
    const QList<QObject *> roots = m_engine.rootObjects();
    return roots.isEmpty() ? nullptr : qobject_cast<QQuickWindow *>(roots.first());
}

bool DesktopApp::start() {
    m_engine.setInitialProperties({{u"desktop"_s, QVariant::fromValue(&m_viewModel)}});
    m_engine.load(mainQmlUrl());
    if (!window()) {
        qCritical().noquote() << u"Cannot load the desktop window from"_s << mainQmlUrl();
        return false;
    }
    if (m_screenshots) {
        m_layoutPictures = connect(&m_viewModel, &DesktopViewModel::barsChanged, this,
                                   [this] { m_screenshots->saveLayout(*window()); });
    }
    m_platform.start();
    startModel();
    if (m_options.runFor) {
        stopAfter(*m_options.runFor, m_lifetime.token());
    }
    return true;
}

std::unique_ptr<ClassicEngine> DesktopApp::createEngine(SimulatedPlatform &platform,
                                                        QThreadPool &pool) {
    SimulatedDesktop &desktop = platform.desktop();
    EnginePlatform services{platform.clock(),      desktop.accessibility(),
                            platform.workspace(),  desktop.statusBar(),
                            desktop.screens(),     desktop.screenCapture(),
                            desktop.inputEvents(), WorkRunner(WorkRunner::Mode::ThreadPool, &pool),
                            ZorvPaths::root(),     desktop.appPreferences()};
    return std::make_unique<ClassicEngine>(std::move(services), SectionLayout().normalized());
}

void DesktopApp::startModel() {
    std::unique_ptr<ClassicEngine> engine = createEngine(m_platform, m_enginePool);
    m_menuBarEngine = engine.get();
    SimulatedDesktop &desktop = m_platform.desktop();
    AppModelServices services{
        m_platform.clock(),       m_platform.systemLog(),
        desktop.accessibility(),  m_platform.workspace(),
        m_platform.preferences(), m_platform.processTable(),
        m_platform.cloudStore(),  m_platform.loginItems(),
        ZorvPaths::root(),        m_platform.cloudStore().deviceName(),
        m_flushPool.get(),        WorkRunner(WorkRunner::Mode::ThreadPool, &m_enginePool)};
    m_model = std::make_unique<AppModel>(std::move(engine), std::move(services), m_shell.shell());
    m_viewModel.setEngine(m_menuBarEngine);
    m_viewModel.setModel(m_model.get(), m_kit);
    startShell();
}

void DesktopApp::startShell() {
    SimulatedDesktop &desktop = m_platform.desktop();
    ClassicEngine *engine = m_menuBarEngine;
    ShellHooks hooks;
    hooks.iconButton = engine->separatorController().icon().button();
    hooks.forceShowEverything = [engine] { engine->forceShowEverything(); };
    hooks.setOnTuckRefused = [engine](std::function<void()> callback) {
        engine->setOnTuckRefused(std::move(callback));
    };
    hooks.version = QStringLiteral(ZORV_VERSION);
    const auto feed = qEnvironmentVariableIsSet("ZORV_UPDATE_TEST_FEED")
                          ? std::optional<QString>(qEnvironmentVariable("ZORV_UPDATE_TEST_FEED"))
                          : std::nullopt;
    const bool updateTest = AppDelegate::isUpdateTest(feed, SimulatedPlatform::bundleIdentifier);
    m_delegate = std::make_unique<AppDelegate>(
        *m_model, m_windows,
        ShellPlatform{desktop.application(), desktop.menus(), desktop.hotKeys(),
                      desktop.accessibility(), m_platform.workspace(), m_platform.systemLog(),
                      m_platform.clock()},
        std::move(hooks), LaunchArguments::parse(m_options.launchArguments), updateTest);
    if (m_options.openMenu) {
        connect(&m_delegate->launch(), &LaunchSequence::started, this, [this] {
            m_delegate->statusItem().popUpMenu();
            if (m_screenshots && m_menuPopup->window()) {
                m_screenshots->save(*m_menuPopup->window(), QStringLiteral("status-menu.png"));
            }
        });
    }
    m_delegate->applicationDidFinishLaunching();
}

int DesktopApp::finish() {
    if (m_exitCode) {
        return *m_exitCode;
    }
    m_exitCode = 0;
    if (m_model) {
        m_model->flushStoresForTermination(terminationFlushSeconds);
    }
    // The last picture shows the end of the run, not the last layout change.
    disconnect(m_layoutPictures);
    m_viewModel.refresh();
    if (!m_options.dumpPath.isEmpty()) {
        if (auto problem = DesktopDump::write(m_platform, m_options.dumpPath, m_menuBarEngine,
                                              m_model.get())) {
            qCritical().noquote() << u"Cannot write %1: %2"_s.arg(m_options.dumpPath, *problem);
            m_exitCode = 1;
        }
    }
    if (!m_options.positionsPath.isEmpty()) {
        BarItems &items = m_platform.desktop().items();
        items.rememberPositionsOf(m_platform.desktop().applications().currentProcessId());
        if (auto problem =
                KeptPositionsFile::write(m_options.positionsPath, items.rememberedPositions())) {
            qCritical().noquote() << u"Cannot write %1: %2"_s.arg(m_options.positionsPath,
                                                                  *problem);
            m_exitCode = 1;
        }
    }
    if (m_screenshots && window()) {
        m_screenshots->saveFinal(*window());
    }
    return *m_exitCode;
}

QCoro::Task<> DesktopApp::stopAfter(Duration runFor, CancellationToken token) {
    QPointer<DesktopApp> self(this);
    Clock &clock = m_platform.clock();
    if (co_await clock.sleep(runFor, token) == SleepOutcome::Cancelled || !self) {
        co_return;
    }
    // Let what falls due at this very moment happen first: the events and clock ticks that went
    // to sleep before this wait wake first, and the layout passes they ask for run at the next
    // turn after that.
    for (int turn = 0; turn < 2; ++turn) {
        if (co_await clock.sleep(Duration::zero(), token) == SleepOutcome::Cancelled || !self) {
            co_return;
        }
    }
    Q_EMIT finished(finish());
}

} // namespace zorv
