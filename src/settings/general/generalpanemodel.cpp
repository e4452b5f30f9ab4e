#include "generalpanemodel.h"

#include "connections.h"
#include "filepanels.h"
#include "fileviewer.h"
#include "incomingsettings.h"
#include "modelview.h"
#include "readoutrange.h"
#include "settings/settings.h"
#include "settingsservices.h"

using namespace Qt::StringLiterals;

namespace zorv {

GeneralPaneModel::GeneralPaneModel(QObject *parent) : QObject(parent) {}

void GeneralPaneModel::setView(ModelView *view) {
    if (view == m_view) {
        return;
    }
    disconnectAll(m_connections);
    m_view = view;
    if (m_view) {
        m_connections = {
            connect(m_view->settings(), &SettingsProperties::changed, this,
                    &GeneralPaneModel::textsChanged),
            connect(m_view, &ModelView::lastCloudSyncNoteChanged, this,
                    &GeneralPaneModel::textsChanged),
            connect(m_view, &ModelView::exportFinished, this, &GeneralPaneModel::exportFinished),
            connect(m_view, &ModelView::importFinished, this, &GeneralPaneModel::importFinished),
        };
    }
    readLaunchAtLogin();
    Q_EMIT viewChanged();
    Q_EMIT textsChanged();
}

void GeneralPaneModel::readLaunchAtLogin() {
    const bool enabled = m_view && m_view->settings()->launchAtLogin();
    if (enabled != m_launchAtLogin) {
        m_launchAtLogin = enabled;
    }
    // Always announced: a switch the user flipped must fall back even when the state is the same.
    Q_EMIT launchAtLoginChanged();
}

void GeneralPaneModel::setLaunchAtLogin(bool enabled) {
    if (m_view) {
        m_view->settings()->setLaunchAtLogin(enabled);
    }
    readLaunchAtLogin();
}

void GeneralPaneModel::appear() {
    readLaunchAtLogin();
}

QVariant GeneralPaneModel::dockNote() const {
    if (!m_view || m_view->settings()->showInDockAndSwitcher()) {
        return {};
    }
    return u"Zorv runs from the menu bar only."_s;
}

QVariant GeneralPaneModel::hideIconNote() const {
    if (!m_view || !m_view->settings()->hideZorvIcon()) {
        return {};
    }
    return u"{"_s + m_view->settings()->revealShortcutDisplay() +
           u"} still works. Open Zorv again for Settings."_s;
}

QString GeneralPaneModel::iconClickNote() const {
    if (m_view && m_view->settings()->iconClickOpensMenu()) {
        return u"Right-click reveals your hidden items. Add {option} to include Always Hidden."_s;
    }
    return u"Right-click opens Zorv's menu. Add {option} to a click to include Always Hidden."_s;
}

QString GeneralPaneModel::layoutNote() const {
    if (!m_view || m_view->settings()->liveLayout()) {
        return u"Live applies your layout once your typing and mousing pause. Sort My Bar skips "
               u"the wait."_s;
    }
    return u"On-Demand leaves the bar alone until you press Sort My Bar."_s;
}

ReadoutRange GeneralPaneModel::autoHideRange() {
    return ReadoutRange{0, autoHideMaximum, Settings().autoRehideSeconds};
}

double GeneralPaneModel::autoHideSeconds() const {
    return autoHideRange().clamp(m_view ? m_view->settings()->autoRehideSeconds() : 0);
}

QString GeneralPaneModel::autoHideReadout() const {
    const double seconds =
        IncomingSettings::clampedAutoRehide(m_view ? m_view->settings()->autoRehideSeconds() : 0);
    if (seconds == 0) {
        return u"Never"_s;
    }
    // Within the engine's range, so well within qint64; the cast truncates toward zero.
    return QString::number(static_cast<qint64>(seconds)) + u"s"_s;
}

QString GeneralPaneModel::syncNote() const {
    const QString reason = m_view ? m_view->settings()->cloudSyncUnavailableReason() : QString();
    return reason.isEmpty() ? u"Keeps your setup the same on all your Macs."_s : reason;
}

QString GeneralPaneModel::syncStatus() const {
    if (!m_view || !m_view->settings()->cloudSyncEnabled()) {
        return {};
    }
    return m_view->lastCloudSyncNote();
}

QString GeneralPaneModel::backupNote() const {
    return m_backupMessage.isEmpty() ? u"Import replaces your current setup."_s : m_backupMessage;
}

void GeneralPaneModel::exportSetup() {
    if (m_view && m_services) {
        runExport(this);
    }
}

QCoro::Task<> GeneralPaneModel::runExport(QPointer<GeneralPaneModel> self) {
    self->m_services->activateApp();
    const std::optional<QString> path =
        co_await self->m_services->filePanels().chooseSaveFile(exportFileName);
    if (!self || !path || !self->m_view) {
        co_return;
    }
    self->m_exporting = true;
    self->m_view->exportSetup(*path);
}

void GeneralPaneModel::exportFinished(bool ok) {
    if (!std::exchange(m_exporting, false)) {
        return;
    }
    m_backupMessage = ok ? u"Exported."_s : u"Export failed."_s;
    Q_EMIT backupChanged();
}

void GeneralPaneModel::chooseImport() {
    if (m_view && m_services) {
        runChooseImport(this);
    }
}

QCoro::Task<> GeneralPaneModel::runChooseImport(QPointer<GeneralPaneModel> self) {
    self->m_services->activateApp();
    const std::optional<QString> path = co_await self->m_services->filePanels().chooseOpenFile();
    if (!self || !path) {
        co_return;
    }
    self->m_pendingImport = *path;
    self->m_backupPath.clear();
    self->m_confirmingImport = true;
    Q_EMIT self->backupChanged();
}

void GeneralPaneModel::confirmImport() {
    m_confirmingImport = false;
    Q_EMIT backupChanged();
    if (m_pendingImport.isEmpty() || !m_view) {
        return;
    }
    m_importing = true;
    m_view->importSetup(m_pendingImport);
}

void GeneralPaneModel::cancelImport() {
    m_confirmingImport = false;
    m_pendingImport.clear();
    Q_EMIT backupChanged();
}

void GeneralPaneModel::importFinished(bool ok, const QString &message, const QString &backupPath) {
    if (!std::exchange(m_importing, false)) {
        return;
    }
    m_backupMessage = ok ? u"Imported. Your previous setup is backed up."_s : message;
    m_backupPath = backupPath;
    m_pendingImport.clear();
    Q_EMIT backupChanged();
}

void GeneralPaneModel::showBackup() {
    if (m_services && !m_backupPath.isEmpty()) {
        m_services->fileViewer().revealFile(m_backupPath);
    }
}

} // namespace zorv
