// DesktopApp's composition: the engine, the model, the shell and the desktop window wired over
// the simulated platform, the start of a run (the scenario's files, update-test mode) and the
// layout pictures. Zorv's windows open in desktopappwindows.cpp, the run ends in
// desktopappfinish.cpp.

#include "desktopapp.h"

#include "bundlefacts.h"
#include "jsonwriter.h"
#include "keptpositionsfile.h"
#include "kit/zorvkit.h"
#include "launch/updatetestlaunch.h"
#include "reportbuilder.h"
#include "scenario/scenarioloader.h"
#include "simulatedplatform.h"
#include "storage/jsonstore.h"
#include "storage/zorvpaths.h"
#include "zorvreportconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPointer>
#include <QQuickWindow>
#include <QtDebug>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// The addresses among launch arguments (the options start with "--").
QList<QUrl> addressesIn(const QStringList &arguments) {
    QList<QUrl> urls;
    for (const QString &argument : arguments) {
        if (!argument.startsWith(u"--"_s)) {
            urls.append(QUrl(argument));
        }
    }
    return urls;
}

} // namespace

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
    : QObject(parent), m_platform(platform), m_options(std::move(options)),
      m_windowMode(windowMode()),
      m_viewModel(platform, m_windowMode == ScreenWindows::Mode::Overlaid),
      m_automation(
          AutomationFrontEnd::Services{{platform.workspace(), platform.desktop().powerSources(),
                                        platform.desktop().wifi(), platform.desktop().focus()},
                                       platform.desktop().notifications(),
                                       platform.desktop().location(),
                                       platform.clock(),
                                       &platform.desktop().filePanels(),
                                       &platform.desktop().screens()}),
      m_shell(m_automation,
              PanelServices{m_engine,
                            platform.desktop().appWindows(),
                            platform.desktop().eventMonitors(),
                            platform.desktop().screens(),
                            platform.clock(),
                            {},
                            [this] { activateThisApp(); },
                            &platform.desktop().menus()},
              platform.desktop().desktopPictures()),
      m_windows([this] { showAbout(); },
                [this](const std::optional<QString> &sentReportId) {
                    if (sentReportId) {
                        showReport(ReportProblem::Phase(ReportProblem::Sent{*sentReportId}));
                    } else {
                        showReport();
                    }
                },
                [this] { return m_searchPanel.get(); },
                [this](std::optional<SettingsPane> pane) { openSettings(pane); },
                [this] { showOnboarding(); }),
      m_reportConfig(ZorvReportConfig::make(ZorvPaths::root(), platform.desktop().accessibility(),
                                            [this] {
                                                if (m_menuBarEngine) {
                                                    m_menuBarEngine->writeLatestDiagnostics();
                                                }
                                            })),
      m_reports(m_engine,
                ReportProblem::Services{
                    .clock = platform.clock(),
                    .network = m_network,
                    .facts = platform.desktop().systemFacts(),
                    .fileViewer = platform.desktop().fileViewer(),
                    .workspace = platform.workspace(),
                    .desktopFolder =
                        platform.fileSystem().hostPath(platform.fileSystem().desktopFolder()),
                    .serialise = &ReportProblem::Builder::serialise,
                },
                platform.desktop().pasteboard(),
                ReportWindowController::Presentation{platform.desktop().appWindows(),
                                                     [this] { activateThisApp(); }}),
      m_filePanels(m_engine, platform.desktop().appWindows(), QDir::homePath()),
      m_about(thisBuild(), AboutPanel::Services{
                               .engine = m_engine,
                               .windows = platform.desktop().appWindows(),
                               .icon = appIcon(),
                               .openUrl = [&workspace = platform.workspace()](
                                              const QUrl &url) { workspace.openUrl(url); },
                               .activateApp = [this] { activateThisApp(); },
                           }),
      m_updaterWindows(platform.updater(),
                       UpdaterWindows::Services{
                           .engine = m_engine,
                           .windows = platform.desktop().appWindows(),
                           .icon = appIcon(),
                           .application = platform.desktop().application(),
                       }),
      m_screenWindows(platform.desktop().appWindows(), platform.desktop().userInput(),
                      platform.desktop().appearance(), platform.desktop().pasteboard(),
                      m_windowMode) {
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
    // Panels no test scripted are the user's to answer, in this program's own panel window.
    m_platform.desktop().filePanels().setPresenter(
        [panels = QPointer<FilePanelWindow>(&m_filePanels)](
            SimFilePanels::Kind kind,
            QString suggestedName) -> QCoro::Task<std::optional<QString>> {
            if (!panels) {
                co_return std::nullopt;
            }
            if (kind == SimFilePanels::Kind::application) {
                co_return co_await panels->presentApplications();
            }
            co_return co_await panels->present(kind == SimFilePanels::Kind::save,
                                               std::move(suggestedName));
        });
}

DesktopApp::~DesktopApp() {
    m_lifetime.cancel();
    // The update framework runs in this process: its windows and checks go with it.
    m_platform.updater().applicationQuit();
    m_delegate.reset();
    // The settings and welcome windows read the model's view, which goes with the model.
    m_settingsWindow.reset();
    m_onboarding.reset();
    m_viewModel.setEngine(nullptr);
    m_viewModel.setModel(nullptr);
    m_searchPanel.reset();
    if (!m_flushPool->waitForDone(0)) {
        // A disk that hangs must not hold the quit up: the writes go on as the process ends.
        (void)m_flushPool.release();
    }
}

QUrl DesktopApp::mainQmlUrl() {
    return QUrl(u"qrc:/Zorv/Desktop/Main.qml"_s);
}

void DesktopApp::openedByAnotherLaunch(const QStringList &arguments) {
    m_platform.systemLog().write(arguments.isEmpty()
                                     ? u"Zorv: opened again"_s
                                     : u"Zorv: opened again with: "_s + arguments.join(u' '));
    activateThisApp();
    if (!m_model && m_updates) {
        // Update-test mode exists to check its feed: opened again, it checks again, or brings the
        // updater's window forward while one is open.
        m_updates->checkInteractively();
    } else if (arguments.isEmpty()) {
        // As when the Finder opens a running application again: the system brings it forward,
        // then asks it to re-open.
        m_platform.desktop().application().userReopens();
    } else if (m_delegate) {
        m_delegate->urls().open(addressesIn(arguments));
    }
}

ScreenWindows::Mode DesktopApp::windowMode() {
    const QString platform = QGuiApplication::platformName();
    return platform == u"offscreen"_s || platform == u"minimal"_s ? ScreenWindows::Mode::Composited
                                                                  : ScreenWindows::Mode::Overlaid;
}

QImage DesktopApp::screenPicture() const {
    return m_screenWindows.picture();
}

QImage DesktopApp::savedPicture() const {
    return m_screenWindows.arrangedPicture();
}

int DesktopApp::layoutPicturesSaved() const {
    return m_screenshots ? m_screenshots->layoutsSaved() : 0;
}

void DesktopApp::numberLayoutPicturesAfter(int saved) {
    if (m_screenshots) {
        m_screenshots.emplace(m_options.screenshotFolder, saved);
    }
}

void DesktopApp::saveLayoutPicture() {
    // Windows change in the middle of what opens or closes them: wait for that to end.
    if (m_layoutPicturePending) {
        return;
    }
    m_layoutPicturePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_layoutPicturePending = false;
            if (m_screenshots && window() && !m_layoutPictures.isEmpty()) {
                m_screenshots->saveLayout(savedPicture());
            }
        },
        Qt::QueuedConnection);
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
    m_screenWindows.setDesktopWindow(window());
    if (m_screenshots) {
        m_layoutPictures = {
            connect(&m_viewModel, &DesktopViewModel::barsChanged, this,
                    [this] { m_screenshots->saveLayout(savedPicture()); }),
            connect(&m_screenWindows, &ScreenWindows::changed, this,
                    &DesktopApp::saveLayoutPicture),
            connect(m_viewModel.banner(), &NotificationBanner::changed, this,
                    &DesktopApp::saveLayoutPicture),
        };
    }
    m_platform.start();
    writeScenarioFiles();
    if (const std::optional<QString> feed = updateTestFeed();
        UpdateTestLaunch::isUpdateTest(feed, SimulatedPlatform::bundleIdentifier)) {
        startUpdateTest(feed);
    } else {
        startModel();
    }
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
                            desktop.screens(),     desktop.windowList(),
                            desktop.screenCapture(), desktop.inputEvents(),
                            WorkRunner(WorkRunner::Mode::ThreadPool, &pool),
                            ZorvPaths::root(),     desktop.appPreferences(),
                            desktop.systemFacts()};
    return std::make_unique<ClassicEngine>(std::move(services), SectionLayout().normalized());
}

void DesktopApp::writeScenarioFiles() {
    const QMap<QString, QJsonValue> &files = m_platform.scenario().scenario().zorvFiles;
    if (!files.isEmpty() && !QDir().mkpath(ZorvPaths::root())) {
        qWarning().noquote() << u"Cannot make Zorv's data folder"_s << ZorvPaths::root();
        return;
    }
    for (auto file = files.cbegin(); file != files.cend(); ++file) {
        QFile out(ZorvPaths::file(file.key()));
        if (out.exists()) {
            continue;
        }
        const std::optional<QByteArray> text = writeJson(*file, JsonFormat::pretty());
        if (!text || !out.open(QIODevice::WriteOnly) || out.write(*text) != text->size()) {
            qWarning().noquote() << u"Cannot write the scenario's"_s << out.fileName();
        }
    }
}

std::optional<QString> DesktopApp::updateTestFeed() {
    return qEnvironmentVariableIsSet("ZORV_UPDATE_TEST_FEED")
               ? std::optional<QString>(qEnvironmentVariable("ZORV_UPDATE_TEST_FEED"))
               : std::nullopt;
}

void DesktopApp::startModel() {
    // The Dock presence is read before any of the model's stores exists.
    const bool showInDock = JSONStore<Settings>::peek(u"settings.json"_s, Settings{},
                                                      ZorvPaths::root(), m_platform.systemLog())
                                .showInDockAndSwitcher;
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
    m_searchPanel = std::make_unique<SearchPanelController>(*m_model, m_shell.panels());
    startShell(showInDock);
}

void DesktopApp::startUpdateTest(const std::optional<QString> &feed) {
    UpdateTestLaunch::didFinishLaunching(LaunchArguments::parse(m_options.launchArguments), feed,
                                         m_windows, m_platform.systemLog(), [this, feed] {
                                             m_updates = makeUpdateController(nullptr, feed);
                                             m_updates->checkInteractively();
                                         });
}

void DesktopApp::startShell(bool showInDock) {
    SimulatedDesktop &desktop = m_platform.desktop();
    ClassicEngine *engine = m_menuBarEngine;
    ShellHooks hooks;
    hooks.iconButton = engine->separatorController().icon().button();
    hooks.forceShowEverything = [engine] { engine->forceShowEverything(); };
    hooks.setOnTuckRefused = [engine](std::function<void()> callback) {
        engine->setOnTuckRefused(std::move(callback));
    };
    hooks.setOnIconReplaced = [engine](std::function<void(StatusItemButton *)> callback) {
        engine->setOnIconReplaced(std::move(callback));
    };
    hooks.version = BundleFacts::read(desktop.systemFacts()).version;
    hooks.startUpdates = [this] { startUpdates(); };
    hooks.canUpdate = [this] { return m_model->updateStatus().canUpdate; };
    hooks.isInstalled = [this] {
        return !MoveToApplicationsController::shouldOffer(*m_model, m_platform.fileSystem());
    };
    hooks.showMoveOffer = [this](std::function<void()> onDismissed) {
        offerMove(std::move(onDismissed));
    };
    m_delegate = std::make_unique<AppDelegate>(
        *m_model, m_windows,
        ShellPlatform{desktop.application(), desktop.menus(), desktop.hotKeys(),
                      desktop.accessibility(), m_platform.workspace(), m_platform.systemLog(),
                      m_platform.clock()},
        std::move(hooks), LaunchArguments::parse(m_options.launchArguments), showInDock);
    if (m_options.openMenu) {
        connect(&m_delegate->launch(), &LaunchSequence::started, this, [this] {
            m_delegate->statusItem().popUpMenu();
            if (m_screenshots && m_menuPopup->window()) {
                m_screenshots->save(m_menuPopup->window()->grabWindow(),
                                    QStringLiteral("status-menu.png"));
            }
        });
    }
    if (m_options.churnStores) {
        connect(&m_delegate->launch(), &LaunchSequence::started, this, [this] {
            m_churn = std::make_unique<StoreChurn>(*m_model, m_platform.clock());
            m_churn->start();
        });
    }
    m_delegate->applicationDidFinishLaunching();
    m_delegate->urls().open(addressesIn(m_options.launchArguments));
}

void DesktopApp::startUpdates() {
    m_updates = makeUpdateController(m_model.get(), std::nullopt);
    m_updates->start();
}

std::unique_ptr<UpdateController>
DesktopApp::makeUpdateController(AppModel *model, const std::optional<QString> &testFeed) {
    auto controller = std::make_unique<UpdateController>(
        &m_platform.updater(), model,
        UpdateController::Services{
            .clock = m_platform.clock(),
            .facts = m_platform.desktop().systemFacts(),
            .location = m_platform.fileSystem(),
            .testFeed = testFeed,
            .settingsReturnMarker = ZorvPaths::file(u"update-settings-return.json"_s),
            .paneForUpdate =
                [this] {
                    return m_settingsWindow ? m_settingsWindow->paneForUpdate() : std::nullopt;
                },
            .activateApp = [this] { activateThisApp(); },
        });
    // Installing replaces this copy: it quits, and the installer launches the new build.
    connect(&m_platform.updater(), &SimUpdater::installRequested, controller.get(),
            [this] { Q_EMIT finished(finish()); });
    return controller;
}

} // namespace zorv
