#pragma once

#include "cancellation.h"
#include "clock.h"
#include "update/updateavailability.h"
#include "updater.h"

#include <QByteArray>
#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

namespace zorv {

class AppModel;
class BundleLocation;
class SystemFacts;

// The application's side of self-updating. It owns the updater's delegate role: mirrors what
// the updater reports into the model's update status (available version, checking, failed, last
// check, whether updating is possible at all), answers the model's three update commands (check
// now, install, automatic checks on or off), runs one quiet check a few seconds after launch,
// and leaves the marker that reopens the settings pane after an update relaunches the app.
// Updating is possible only with an updater, a feed (the update-test feed or the bundle's
// "SUFeedURL") and a bundle installed in an Applications folder. Main thread.
class UpdateController final : public QObject, public UpdaterDelegate {
    Q_OBJECT

public:
    static inline const QByteArray cookieHeader = QByteArrayLiteral("Cookie");
    static inline const QByteArray cookieValue = QByteArrayLiteral("zqpass=harbour");
    static constexpr double quietCheckDelaySeconds = 3.0;

    struct Services {
        Clock &clock;
        const SystemFacts &facts;
        const BundleLocation &location;
        // The update-test feed (ZORV_UPDATE_TEST_FEED); absent in normal mode.
        std::optional<QString> testFeed;
        // "update-settings-return.json" in the data folder.
        QString settingsReturnMarker;
        // The open settings pane while the settings window is on screen.
        std::function<std::optional<QString>()> paneForUpdate;
        // Brings this application to the front, over other applications.
        std::function<void()> activateApp;
    };

    // `updater` may be null (no update framework); `model` is null in update-test mode, where no
    // model exists and the status is shown nowhere. Both and the services must outlive the
    // controller. Sets the updater's delegate and its feed headers.
    UpdateController(Updater *updater, AppModel *model, Services services,
                     QObject *parent = nullptr);
    ~UpdateController() override;

    // Called once at launch in normal mode (with a model): publishes the state, connects the
    // model's commands and schedules the quiet check.
    void start();
    // The interactive check of update-test mode, with the updater's own windows; while one of
    // them is open, it comes forward instead.
    void checkInteractively();

    [[nodiscard]] bool canUpdate() const;
    // A background probe: only when updating is possible and the updater can check now.
    void checkForUpdatesQuietly();

    // UpdaterDelegate.
    [[nodiscard]] std::optional<QString> feedURLString() override;
    void didFindValidUpdate(const AppcastItem &item) override;
    void didNotFindUpdate() override;
    void didFinishUpdateCycle(UpdateCheckKind kind,
                              const std::optional<UpdaterError> &error) override;
    void willInstallUpdate(const AppcastItem &item) override;
    // The updater's windows write versions with a leading "v" (withV).
    [[nodiscard]] QString displayVersion(const QString &version) override;

    // A leading "v" unless there is a lower-case one already.
    [[nodiscard]] static QString withV(const QString &version);

private:
    void updatesChanged();
    void installUpdate();
    // Activates the application and brings the updater's open window to the front; nothing when
    // none is open.
    void bringUpdaterWindowForward();
    QCoro::Task<> quietCheckAfterLaunch(CancellationToken lifetime);

    Updater *m_updater;
    QPointer<AppModel> m_model;
    Services m_services;
    UpdateAvailability m_availability;
    bool m_checking = false;
    bool m_failed = false;
    std::optional<QDateTime> m_lastChecked;
    CancellationSource m_lifetime;
};

} // namespace zorv
