#include "shellcommands.h"

#include "application.h"
#include "appmodel.h"
#include "modelprofiles.h"
#include "workspace.h"

#include <QPointer>
#include <QUuid>
#include <QtDebug>

#include <exception>

namespace zorv {

namespace {

QCoro::Task<> revealAll(QPointer<AppModel> model) {
    if (!model) {
        co_return;
    }
    try {
        co_await model->engine().toggleRevealed(true);
    } catch (const std::exception &error) {
        qWarning() << "Zorv: revealing every item failed:" << error.what();
    }
}

} // namespace

ShellCommands::ShellCommands(AppModel &model, ShellWindows &windows, Application &application,
                             Workspace &workspace, std::function<void()> forceShowEverything)
    : m_model(model), m_windows(windows), m_application(application), m_workspace(workspace),
      m_forceShowEverything(std::move(forceShowEverything)) {}

void ShellCommands::toggleReveal() {
    m_model.toggleReveal();
}

void ShellCommands::toggleRevealAll() {
    revealAll(QPointer<AppModel>(&m_model));
}

void ShellCommands::sortMyBar() {
    m_model.sortMyBar();
}

void ShellCommands::switchProfile(const QVariant &representedObject) {
    if (representedObject.metaType() == QMetaType::fromType<QUuid>()) {
        m_model.profileOps().switchToProfile(representedObject.value<QUuid>());
    }
}

void ShellCommands::openSettings() {
    m_windows.openSettings(std::nullopt);
}

void ShellCommands::openSearch() {
    m_windows.showSearchPanel();
}

void ShellCommands::showAbout() {
    m_windows.showAbout();
}

void ShellCommands::openUpdates() {
    m_model.setPendingSettingsPane(paneKey(SettingsPane::about));
    m_windows.openSettings(SettingsPane::about);
    m_model.showUpdateWindow();
}

void ShellCommands::startTour() {
    m_model.replayOnboarding();
}

void ShellCommands::reportProblem() {
    m_windows.showReport(std::nullopt);
}

void ShellCommands::openHelpPage() {
    (void)m_workspace.openUrl(website);
}

void ShellCommands::openAccessibilitySettings() {
    m_model.openAccessibilitySettings();
}

void ShellCommands::quit() {
    m_application.terminate();
}

void ShellCommands::revealFromHotKey() {
    if (!m_model.isRevealed() && m_forceShowEverything) {
        m_forceShowEverything();
    } else {
        m_model.toggleReveal();
    }
}

} // namespace zorv
