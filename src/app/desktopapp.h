#pragma once

#include "about/aboutpanel.h"
#include "appdelegate.h"
#include "appmodel.h"
#include "automationfrontend.h"
#include "cancellation.h"
#include "clock.h"
#include "desktopshell.h"
#include "desktopviewmodel.h"
#include "desktopwindows.h"
#include "engine/classicengine.h"
#include "filepanelwindow.h"
#include "menupopup.h"
#include "move/movetoapplicationscontroller.h"
#include "onboardingcontroller.h"
#include "reportconfig.h"
#include "reportphase.h"
#include "reportwindowcontroller.h"
#include "scenario/scenario.h"
#include "screenshotrecorder.h"
#include "screenwindows.h"
#include "search/searchpanelcontroller.h"
#include "settingsservices.h"
#include "settingswindowcontroller.h"
#include "simoptions.h"
#include "storechurn.h"
#include "update/updatecontroller.h"
#include "updates/updaterwindows.h"

#include <QCoroTask>
#include <QNetworkAccessManager>
#include <QObject>
#include <QQmlApplicationEngine>
#include <QThreadPool>
#include <QUrl>

#include <memory>
#include <optional>

class QQuickWindow;

namespace zorv {

class SimulatedPlatform;
class ZorvKit;

// The application as it runs here, wired in one place: Zorv's engine over a simulated platform,
// the app model over the engine with the platform's services, its four stores in the data folder
// (ZorvPaths::root()) and the shell's controllers this desktop has (DesktopShell), the desktop
// window over the platform and the model, and the run controls of the options (stop after a
// stretch of simulated time, dump the bars, save pictures of the window, keep the remembered
// positions). When it finishes, the model's stores are written within one second. main() builds
// the platform and hands it over; tests hand over one with a small scenario on a manual clock.
// Main thread.
class DesktopApp : public QObject {
    Q_OBJECT

public:
    // The scenario the options name, with the positions kept from the last run laid over its
    // own. Throws ScenarioError naming the file at fault.
    [[nodiscard]] static Scenario loadScenario(const SimOptions &options);

    // The platform must outlive the application.
    DesktopApp(SimulatedPlatform &platform, SimOptions options, QObject *parent = nullptr);
    ~DesktopApp() override;

    // Loads the window, then starts the scenario and the run limit. False, with a message on
    // standard error, when the window cannot be loaded.
    [[nodiscard]] bool start();
    // Writes the model's stores (waiting at most terminationFlushSeconds), the dump, the kept
    // positions (Zorv's items remembered where they stand, as when it quits) and the final
    // picture, once: at the run limit, or when the application quits before it. Returns the exit
    // code (1 when a file could not be written).
    int finish();
    // The layout pictures saved so far; an earlier copy's in this run, told before start(), are
    // numbered on from.
    [[nodiscard]] int layoutPicturesSaved() const;
    void numberLayoutPicturesAfter(int saved);
    // Blocks until the stores' writes begun by finish() have ended, however long the disk takes:
    // for a next launch on the same data folder within this process. Quitting itself never waits
    // longer than terminationFlushSeconds.
    void waitForQuitWrites();

    [[nodiscard]] QQuickWindow *window() const;
    // The desktop window's picture with Zorv's windows on its screens, as screenshots save it.
    [[nodiscard]] QImage screenPicture() const;
    // Every display as arranged, Zorv's windows on them, as the screenshots save it.
    [[nodiscard]] QImage savedPicture() const;
    [[nodiscard]] ScreenWindows &screenWindows() { return m_screenWindows; }
    // How Zorv's windows reach the drawn screens on the running Qt platform: laid over them on
    // a real display, drawn into the pictures without one (offscreen).
    [[nodiscard]] static ScreenWindows::Mode windowMode();
    // Null until start(), and in update-test mode; the engine belongs to the model.
    [[nodiscard]] ClassicEngine *engine() const { return m_menuBarEngine; }
    [[nodiscard]] AppModel *model() const { return m_model.get(); }
    // The search panel (the search hot key and menu rows open it); null until start().
    [[nodiscard]] SearchPanelController *searchPanel() const { return m_searchPanel.get(); }
    // Shows the problem-report window, on the preview screen when one is given (the shell's
    // "Report a Problem…" command and launch arguments).
    void showReport(const std::optional<ReportProblem::Phase> &preview = std::nullopt);
    [[nodiscard]] ReportWindowController &reports() { return m_reports; }
    // Shows the settings window (made on first use), on `pane` when one is given, else on the
    // model's pending pane. Does nothing before start().
    void openSettings(std::optional<SettingsPane> pane = std::nullopt);
    // Null until Settings was first opened.
    [[nodiscard]] SettingsWindowController *settingsWindow() const {
        return m_settingsWindow.get();
    }
    // Shows the welcome tour (made on first use); finishing it with Open Menu Bar Layout opens
    // Settings on that pane. Does nothing before start().
    void showOnboarding();
    // Null until the tour was first shown.
    [[nodiscard]] OnboardingController *onboarding() const { return m_onboarding.get(); }
    // The application shell; null until start().
    [[nodiscard]] AppDelegate *shell() const { return m_delegate.get(); }
    // Draws the open status menu.
    [[nodiscard]] MenuPopup &menuPopup() { return *m_menuPopup; }
    // The about panel (the "About Zorv" rows).
    void showAbout();
    [[nodiscard]] AboutPanel &about() { return m_about; }
    // Null until start().
    [[nodiscard]] UpdateController *updates() const { return m_updates.get(); }
    // The update framework's windows.
    [[nodiscard]] UpdaterWindows &updaterWindows() { return m_updaterWindows; }
    // The offer to move into Applications while it exists.
    [[nodiscard]] MoveToApplicationsController *mover() const { return m_mover.get(); }
    // Another launch on the same data folder handed over what it asks of Zorv (its own options
    // and "zorv://" addresses) and quit; one that asks nothing re-opens Zorv, as opening it from
    // the Finder or the Dock does.
    void openedByAnotherLaunch(const QStringList &arguments);
    [[nodiscard]] static QUrl mainQmlUrl();

    // How long quitting waits for the stores to reach the disk.
    static constexpr double terminationFlushSeconds = 1.0;

    // Zorv's engine over the platform's services with the empty layout (the app model hands it
    // the stored one when it starts); `pool` runs its worker jobs. Both must outlive the engine.
    [[nodiscard]] static std::unique_ptr<ClassicEngine> createEngine(SimulatedPlatform &platform,
                                                                     QThreadPool &pool);

Q_SIGNALS:
    // The run limit was reached, or Zorv quit (for an update too), and everything is written:
    // quit with this code.
    void finished(int exitCode);

private:
    QCoro::Task<> stopAfter(Duration runFor, CancellationToken token);
    // Zorv's files the scenario comes with, where the data folder has none of that name yet.
    void writeScenarioFiles();
    // ZORV_UPDATE_TEST_FEED, when it is set.
    [[nodiscard]] static std::optional<QString> updateTestFeed();
    void startModel();
    void startShell(bool showInDock);
    // Update-test mode: no engine, no model, no shell; the updater checks the test feed.
    void startUpdateTest(const std::optional<QString> &feed);
    void saveLayoutPicture();
    void startUpdates();
    // The update driver over the model (null in update-test mode) and the test feed.
    [[nodiscard]] std::unique_ptr<UpdateController>
    makeUpdateController(AppModel *model, const std::optional<QString> &testFeed);
    void activateThisApp();
    // The running build and this application's icon, as the about panel and pane show them.
    [[nodiscard]] Build thisBuild() const;
    [[nodiscard]] QImage appIcon() const;
    // The offer to move into Applications; `onDismissed` runs when the user declines it.
    void offerMove(std::function<void()> onDismissed);

    SimulatedPlatform &m_platform;
    const SimOptions m_options;
    const ScreenWindows::Mode m_windowMode;
    DesktopViewModel m_viewModel;
    // The engine's worker jobs, on threads kept for the application's life; destroyed after the
    // model, waiting for any still running.
    QThreadPool m_enginePool;
    // The stores' writes at quit. Quitting waits for them at most terminationFlushSeconds: a pool
    // still writing after that is let go rather than waited for.
    std::unique_ptr<QThreadPool> m_flushPool = std::make_unique<QThreadPool>();
    // Before the shell and the model: the panels' windows come from it and go before it.
    QQmlApplicationEngine m_engine;
    AutomationFrontEnd m_automation;
    DesktopShell m_shell;
    DesktopWindows m_windows;
    std::unique_ptr<AppModel> m_model;
    std::unique_ptr<SearchPanelController> m_searchPanel;
    std::unique_ptr<AppDelegate> m_delegate;
    // "--sim-churn-stores"; after the model, so that it goes first.
    std::unique_ptr<StoreChurn> m_churn;
    ClassicEngine *m_menuBarEngine = nullptr;
    std::optional<ScreenshotRecorder> m_screenshots;
    bool m_layoutPicturePending = false;
    // The UI kit on the engine (owned by it).
    ZorvKit *m_kit = nullptr;
    QNetworkAccessManager m_network;
    const ReportProblem::Config m_reportConfig;
    ReportWindowController m_reports;
    // The save and open panels of the simulated Mac, drawn by this program.
    FilePanelWindow m_filePanels;
    std::unique_ptr<SettingsServices> m_settingsServices;
    // Declared after the QML engine, so its windows go before it.
    std::unique_ptr<SettingsWindowController> m_settingsWindow;
    std::unique_ptr<OnboardingController> m_onboarding;
    std::unique_ptr<MenuPopup> m_menuPopup;
    AboutPanel m_about;
    std::unique_ptr<UpdateController> m_updates;
    UpdaterWindows m_updaterWindows;
    std::unique_ptr<MoveToApplicationsController> m_mover;
    // Declared after everything that adopts windows, so it is destroyed first.
    ScreenWindows m_screenWindows;
    QList<QMetaObject::Connection> m_layoutPictures;
    CancellationSource m_lifetime;
    std::optional<int> m_exitCode;
};

} // namespace zorv
