#include "modelview.h"

#include "appmodel.h"
#include "itemlistmodel.h"
#include "kit/zorvkit.h"
#include "modelprofiles.h"
#include "modelsearch.h"
#include "modeltransfer.h"
#include "profilelistmodel.h"
#include "rulelistmodel.h"
#include "settingsproperties.h"
#include "transfer/settingsimporterror.h"

namespace zorv {

ModelView::ModelView(AppModel &model, QObject *parent)
    : QObject(parent), m_model(model), m_settings(new SettingsProperties(model, this)),
      m_items(new ItemListModel(this)), m_profiles(new ProfileListModel(model, this)),
      m_rules(new RuleListModel(model, this)), m_appearance(model.settings().appearance),
      m_activeProfileName() {
    m_items->setView(this);
    takeProfiles();
    connect(&model, &AppModel::settingsChanged, this, &ModelView::takeSettings);
    connect(&model, &AppModel::profilesChanged, this, &ModelView::takeProfiles);
    connect(&model, &AppModel::axTrustedChanged, this, &ModelView::axTrustedChanged);
    connect(&model, &AppModel::hidingBlockedChanged, this, &ModelView::hidingBlockedChanged);
    connect(&model, &AppModel::lastSavedAtChanged, this, &ModelView::lastSavedAtChanged);
    connect(&model, &AppModel::lastCloudSyncNoteChanged, this,
            &ModelView::lastCloudSyncNoteChanged);
    connect(&model, &AppModel::isImportingChanged, this, &ModelView::isImportingChanged);
    connect(&model, &AppModel::triggerNoticeChanged, this, &ModelView::triggerNoticeChanged);
    connect(&model, &AppModel::currentSettingsPaneChanged, this,
            &ModelView::currentSettingsPaneChanged);
    connect(&model, &AppModel::pendingSettingsPaneChanged, this,
            &ModelView::pendingSettingsPaneChanged);
    connect(&model, &AppModel::updateStatusChanged, this, &ModelView::updateStatusChanged);
    connect(&model, &AppModel::automaticUpdateChecksChanged, this,
            &ModelView::automaticUpdateChecksChanged);
}

ModelView::~ModelView() = default;

void ModelView::setKit(ZorvKit *kit) {
    m_kit = kit;
    m_items->refresh();
}

void ModelView::takeSettings() {
    const AppearanceValue appearance(m_model.settings().appearance);
    if (appearance != m_appearance) {
        m_appearance = appearance;
        Q_EMIT appearanceChanged();
    }
    Q_EMIT settingsChanged();
}

void ModelView::takeProfiles() {
    const std::optional<Profile> active = m_model.profiles().active();
    const QString name = active ? active->name : QString();
    if (name != m_activeProfileName) {
        m_activeProfileName = name;
        Q_EMIT activeProfileNameChanged();
    }
}

AppearanceValue ModelView::appearance() const {
    return m_appearance;
}

void ModelView::setAppearance(const AppearanceValue &appearance) {
    if (!appearance.isValid()) {
        qWarning("Zorv: refused a menu-bar look that is not valid");
        // The binding that wrote it shows the stored look again.
        Q_EMIT appearanceChanged();
        return;
    }
    m_model.profileOps().setAppearance(appearance.toAppearance());
}

bool ModelView::axTrusted() const {
    return m_model.axTrusted();
}

bool ModelView::needsAccessibility() const {
    return m_model.needsAccessibility();
}

bool ModelView::hidingBlocked() const {
    return m_model.hidingBlocked().has_value();
}

QString ModelView::hidingBlockedHeadline() const {
    const std::optional<HidingBlockedReason> reason = m_model.hidingBlocked();
    return reason ? headline(*reason) : QString();
}

QString ModelView::hidingBlockedDetail() const {
    const std::optional<HidingBlockedReason> reason = m_model.hidingBlocked();
    return reason ? detail(*reason) : QString();
}

QString ModelView::hidingBlockedFix() const {
    const std::optional<HidingBlockedReason> reason = m_model.hidingBlocked();
    return reason ? userFix(*reason).value_or(QString()) : QString();
}

QDateTime ModelView::lastSavedAt() const {
    return m_model.lastSavedAt().value_or(QDateTime());
}

QString ModelView::lastCloudSyncNote() const {
    return m_model.lastCloudSyncNote().value_or(QString());
}

bool ModelView::isImporting() const {
    return m_model.isImporting();
}

QString ModelView::triggerNotice() const {
    return m_model.triggerNotice().value_or(QString());
}

QString ModelView::activeProfileName() const {
    return m_activeProfileName;
}

QString ModelView::menuHotkey() const {
    return m_model.menuStatus().hotkey;
}

QString ModelView::currentSettingsPane() const {
    return m_model.currentSettingsPane();
}

void ModelView::setCurrentSettingsPane(const QString &pane) {
    m_model.setCurrentSettingsPane(pane);
}

QString ModelView::pendingSettingsPane() const {
    return m_model.pendingSettingsPane().value_or(QString());
}

void ModelView::setPendingSettingsPane(const QString &pane) {
    m_model.setPendingSettingsPane(pane.isEmpty() ? std::nullopt : std::optional(pane));
}

bool ModelView::updateChecking() const {
    return m_model.updateStatus().checking;
}

bool ModelView::updateFailed() const {
    return m_model.updateStatus().failed;
}

bool ModelView::updateCanInstall() const {
    return m_model.updateStatus().canUpdate;
}

QString ModelView::updateOffered() const {
    return m_model.updateStatus().availability.offered().value_or(QString());
}

QString ModelView::updateStatusLine() const {
    const UpdateStatus &status = m_model.updateStatus();
    return status.availability.statusLine(status.checking, status.failed,
                                          status.lastChecked.has_value());
}

QString ModelView::updateSymbol() const {
    return m_model.updateStatus().availability.symbol();
}

QDateTime ModelView::updateLastChecked() const {
    return m_model.updateStatus().lastChecked.value_or(QDateTime());
}

QVariant ModelView::automaticUpdateChecks() const {
    const std::optional<bool> checks = m_model.automaticUpdateChecks();
    return checks ? QVariant(*checks) : QVariant::fromValue(nullptr);
}

void ModelView::setAutomaticUpdateChecks(const QVariant &checks) {
    if (checks.typeId() != QMetaType::Bool) {
        qWarning("Zorv: refused an automatic-update setting that is not true or false");
        Q_EMIT automaticUpdateChecksChanged();
        return;
    }
    m_model.setAutomaticUpdateChecks(checks.toBool());
}

void ModelView::dismissTriggerNotice() {
    m_model.setTriggerNotice(std::nullopt);
}

void ModelView::toggleReveal() {
    m_model.toggleReveal();
}

void ModelView::revealHidden() {
    m_model.revealHidden();
}

void ModelView::hideHidden() {
    m_model.hideHidden();
}

void ModelView::toggleSecondaryBar(bool includeAlwaysHidden) {
    m_model.toggleSecondaryBar(includeAlwaysHidden);
}

void ModelView::sortMyBar() {
    m_model.sortMyBar();
}

void ModelView::refresh() {
    m_model.refresh();
}

void ModelView::retryHiding() {
    m_model.retryHiding();
}

void ModelView::openAccessibilitySettings() {
    m_model.openAccessibilitySettings();
}

void ModelView::activateItem(const QString &stableKey) {
    m_model.search().activateItem(stableKey);
}

void ModelView::completeOnboarding() {
    m_model.completeOnboarding();
}

void ModelView::declineMoveToApplications() {
    m_model.declineMoveToApplications();
}

void ModelView::replayOnboarding() {
    m_model.replayOnboarding();
}

void ModelView::markGuideSeen(const QString &paneKey) {
    m_model.markGuideSeen(paneKey);
}

bool ModelView::hasSeenGuide(const QString &paneKey) const {
    return m_model.hasSeenGuide(paneKey);
}

void ModelView::checkForUpdatesNow() {
    m_model.checkForUpdatesNow();
}

void ModelView::installUpdate() {
    m_model.installUpdate();
}

bool ModelView::isRevealed() const {
    return m_model.isRevealed();
}

void ModelView::exportSetup(const QString &path) {
    runExport(this, path);
}

void ModelView::importSetup(const QString &path) {
    runImport(this, path);
}

QCoro::Task<> ModelView::runExport(QPointer<ModelView> view, QString path) {
    const bool ok = co_await view->m_model.transfer().exportSettings(std::move(path));
    if (view) {
        Q_EMIT view->exportFinished(ok);
    }
}

QCoro::Task<> ModelView::runImport(QPointer<ModelView> view, QString path) {
    QString message;
    QString backupPath;
    bool ok = false;
    try {
        backupPath = co_await view->m_model.transfer().importSettings(std::move(path));
        ok = true;
    } catch (const SetupImportError &error) {
        message = error.localizedDescription();
        backupPath = error.backupPath();
    } catch (const SettingsImportError &error) {
        message = error.errorDescription();
    } catch (const std::exception &error) {
        message = QString::fromUtf8(error.what());
    }
    if (view) {
        Q_EMIT view->importFinished(ok, message, backupPath);
    }
}

} // namespace zorv
