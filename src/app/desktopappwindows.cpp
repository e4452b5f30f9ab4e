// Zorv's own windows as the application opens them: Settings, the welcome tour, About, the
// problem report and the offer to move into Applications, each made on first use.

#include "desktopapp.h"

#include "bundlefacts.h"
#include "simulatedplatform.h"
#include "storage/zorvpaths.h"

#include <QCoreApplication>
#include <QDir>

namespace zorv {

void DesktopApp::openSettings(std::optional<SettingsPane> pane) {
    ModelView *view = m_viewModel.modelView();
    if (!view) {
        return;
    }
    if (!m_settingsWindow) {
        SimulatedDesktop &desktop = m_platform.desktop();
        m_settingsServices = std::make_unique<SettingsServices>(
            m_platform.clock(), desktop.filePanels(), desktop.fileViewer(), desktop.scripting(),
            AboutFacts{.build = thisBuild(),
                       .icon = appIcon(),
                       .dataFolder = ZorvPaths::root(),
                       .homeFolder = QDir::homePath(),
                       .workspace = &m_platform.workspace()},
            &m_shell.barColor());
        m_settingsServices->setAutomation(&m_automation);
        m_settingsServices->setActivateApp([this] { activateThisApp(); });
        m_settingsWindow = std::make_unique<SettingsWindowController>(
            m_engine, *view, *m_settingsServices, desktop.appWindows());
    }
    m_settingsWindow->open(pane);
}

void DesktopApp::showOnboarding() {
    ModelView *view = m_viewModel.modelView();
    if (!view) {
        return;
    }
    if (!m_onboarding) {
        m_onboarding = std::make_unique<OnboardingController>(m_engine, *view,
                                                              m_platform.desktop().appWindows());
        m_onboarding->setOnFinished([this] { openSettings(); });
    }
    activateThisApp();
    m_onboarding->show();
}

void DesktopApp::showAbout() {
    m_about.show();
}

Build DesktopApp::thisBuild() const {
    return Build(BuildStamp::load(), BundleFacts::read(m_platform.desktop().systemFacts()));
}

QImage DesktopApp::appIcon() const {
    Workspace &workspace = m_platform.workspace();
    return workspace.iconForFile(
        workspace.applicationPath(SimulatedPlatform::bundleIdentifier).value_or(QString()));
}

void DesktopApp::activateThisApp() {
    m_platform.desktop().application().activate(true);
}

void DesktopApp::showReport(const std::optional<ReportProblem::Phase> &preview) {
    m_reports.show(m_reportConfig, preview);
}

void DesktopApp::offerMove(std::function<void()> onDismissed) {
    m_mover = std::make_unique<MoveToApplicationsController>(
        m_model.get(),
        MoveToApplicationsController::Services{
            .engine = m_engine,
            .windows = m_platform.desktop().appWindows(),
            .icon = appIcon(),
            .move = ApplicationsMove::Services{m_platform.fileSystem(), m_platform.fileSystem(),
                                               m_platform.processLauncher(),
                                               [] { QCoreApplication::quit(); }},
            .activateApp = [this] { activateThisApp(); },
        });
    m_mover->onDismissed = std::move(onDismissed);
    m_mover->show();
}

} // namespace zorv
