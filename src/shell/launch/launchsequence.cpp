#include "launch/launchsequence.h"

#include "appmodel.h"
#include "shellwindows.h"

namespace zorv {

LaunchSequence::LaunchSequence(AppModel &model, ShellWindows &windows, LaunchSteps &steps,
                               LaunchArguments arguments, QObject *parent)
    : QObject(parent), m_model(model), m_windows(windows), m_steps(steps), m_arguments(arguments) {}

void LaunchSequence::didFinishLaunching() {
    m_steps.configureIcon();
    m_steps.installTuckRefusedLog();
    m_steps.startUpdates();
    m_steps.installModelCallbacks();
    launchTask(QPointer<LaunchSequence>(this));
    if (m_arguments.openSettings) {
        m_windows.openSettings(std::nullopt);
    }
    if (m_arguments.report) {
        m_windows.showReport(std::nullopt);
    }
    if (m_arguments.reportSent) {
        m_windows.showReport(LaunchArguments::sentReportId);
    }
}

QCoro::Task<> LaunchSequence::launchTask(QPointer<LaunchSequence> self) {
    co_await self->m_steps.startModel();
    if (!self) {
        co_return;
    }
    self->m_steps.registerHotKeys();
    if (const auto pane = self->m_steps.consumeSettingsReturn()) {
        self->m_model.setPendingSettingsPane(*pane);
        self->m_windows.openSettings(std::nullopt);
    }
    self->m_started = true;
    Q_EMIT self->started();
    if (!self->m_model.settings().moveToApplicationsDeclined && !self->m_steps.isInstalled()) {
        self->m_steps.showMoveOffer([self] {
            if (self) {
                self->continueLaunch();
            }
        });
    } else {
        self->continueLaunch();
    }
}

void LaunchSequence::continueLaunch() {
    if (m_continued) {
        return;
    }
    m_continued = true;
    if (m_model.settings().onboardingCompleted && !m_arguments.showOnboarding) {
        if (!m_steps.isTrusted()) {
            m_steps.promptForTrust();
        }
        return;
    }
    m_windows.showOnboarding();
    // Settings asked for at launch keeps the front and the keyboard, the tour open behind it, as
    // when Settings is opened while the tour is up.
    if (m_arguments.openSettings || m_arguments.settingsAddress) {
        m_windows.openSettings(std::nullopt);
    }
}

} // namespace zorv
