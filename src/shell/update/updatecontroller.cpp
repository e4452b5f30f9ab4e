#include "updatecontroller.h"

#include "appmodel.h"
#include "bundlelocation.h"
#include "move/installlocation.h"
#include "systemfacts.h"
#include "update/updatesettingsreturn.h"

using namespace Qt::StringLiterals;

namespace zorv {

UpdateController::UpdateController(Updater *updater, AppModel *model, Services services,
                                   QObject *parent)
    : QObject(parent), m_updater(updater), m_model(model), m_services(std::move(services)) {
    if (m_updater) {
        m_updater->setDelegate(this);
        m_updater->setHttpHeaders({{cookieHeader, cookieValue}});
    }
}

UpdateController::~UpdateController() {
    m_lifetime.cancel();
    if (m_updater) {
        m_updater->setDelegate(nullptr);
    }
}

bool UpdateController::canUpdate() const {
    const bool hasFeed =
        m_services.testFeed || m_services.facts.bundleInfoString(u"SUFeedURL"_s).has_value();
    return m_updater && hasFeed &&
           InstallLocation::isInApplicationsFolder(m_services.location.runningBundlePath(),
                                                   m_services.location);
}

void UpdateController::updatesChanged() {
    if (!m_model) {
        return;
    }
    m_model->setUpdateStatus(
        UpdateStatus{m_availability, m_checking, m_failed, m_lastChecked, canUpdate()});
}

void UpdateController::checkForUpdatesQuietly() {
    // A check the updater would refuse (busy, or one of its windows open) must not leave
    // "Checking…" behind.
    if (!canUpdate() || !m_updater->canCheckForUpdates() || m_updater->sessionInProgress()) {
        return;
    }
    m_checking = true;
    updatesChanged();
    m_updater->checkForUpdateInformation();
}

void UpdateController::start() {
    if (!m_model) {
        return;
    }
    if (!m_updater) {
        updatesChanged();
        return;
    }
    m_lastChecked = m_updater->lastUpdateCheckDate();
    updatesChanged();
    connect(m_model, &AppModel::checkForUpdatesNowRequested, this,
            &UpdateController::checkForUpdatesQuietly);
    connect(m_model, &AppModel::installUpdateRequested, this, &UpdateController::installUpdate);
    connect(m_model, &AppModel::updateWindowRequested, this,
            &UpdateController::bringUpdaterWindowForward);
    m_model->setAutomaticUpdateChecks(m_updater->automaticallyChecksForUpdates());
    connect(m_model, &AppModel::automaticUpdateChecksToggled, this,
            [this](bool on) { m_updater->setAutomaticallyChecksForUpdates(on); });
    if (canUpdate() && m_updater->automaticallyChecksForUpdates()) {
        quietCheckAfterLaunch(m_lifetime.token());
    }
}

QCoro::Task<> UpdateController::quietCheckAfterLaunch(CancellationToken lifetime) {
    QPointer<UpdateController> self(this);
    Clock &clock = m_services.clock;
    const SleepOutcome outcome = co_await clock.sleep(seconds(quietCheckDelaySeconds), lifetime);
    if (outcome == SleepOutcome::Cancelled || !self) {
        co_return;
    }
    checkForUpdatesQuietly();
}

void UpdateController::installUpdate() {
    if (!m_updater || !m_updater->canCheckForUpdates()) {
        return;
    }
    if (m_services.activateApp) {
        m_services.activateApp();
    }
    m_updater->checkForUpdates();
}

void UpdateController::bringUpdaterWindowForward() {
    // A session that can take a check is one whose window waits for the user: the check brings
    // it forward and starts nothing.
    if (m_updater && m_updater->sessionInProgress() && m_updater->canCheckForUpdates()) {
        installUpdate();
    }
}

void UpdateController::checkInteractively() {
    if (m_updater) {
        m_updater->checkForUpdates();
    }
}

std::optional<QString> UpdateController::feedURLString() {
    return m_services.testFeed;
}

void UpdateController::didFindValidUpdate(const AppcastItem &item) {
    m_checking = false;
    updatesChanged();
    m_failed = false;
    updatesChanged();
    m_lastChecked = m_services.clock.wallNow();
    updatesChanged();
    m_availability = UpdateAvailability::available(item.displayVersionString);
    updatesChanged();
}

void UpdateController::didNotFindUpdate() {
    m_checking = false;
    updatesChanged();
    m_failed = false;
    updatesChanged();
    m_lastChecked = m_services.clock.wallNow();
    updatesChanged();
    m_availability = UpdateAvailability::upToDate();
    updatesChanged();
}

void UpdateController::didFinishUpdateCycle(UpdateCheckKind,
                                            const std::optional<UpdaterError> &error) {
    m_checking = false;
    updatesChanged();
    const bool feedFailure = error && error->domain != u"app.zorv.updates"_s &&
                             (error->code == UpdaterError::appcastParseError ||
                              error->code == UpdaterError::appcastError);
    if (feedFailure) {
        m_availability = UpdateAvailability::unknown();
        updatesChanged();
        m_failed = true;
        updatesChanged();
    }
}

void UpdateController::willInstallUpdate(const AppcastItem &) {
    const std::optional<QString> pane =
        m_services.paneForUpdate ? m_services.paneForUpdate() : std::nullopt;
    UpdateSettingsReturn::prepare(pane, m_services.settingsReturnMarker,
                                  m_services.clock.wallNow());
}

QString UpdateController::displayVersion(const QString &version) {
    return withV(version);
}

QString UpdateController::withV(const QString &version) {
    return version.startsWith(u'v') ? version : u"v"_s + version;
}

} // namespace zorv
