#pragma once

#include "cancellation.h"
#include "clock.h"
#include "updater.h"
#include "updates/updaterwindow.h"

#include <QCoroTask>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>

#include <optional>

namespace zorv {

class SystemFacts;

// The update framework on the simulated Mac. A check really reads the appcast: the delegate's
// feed or the bundle's "SUFeedURL" (an http(s) or file address), with the configured headers,
// at most maximumFeedBytes, no redirect to another host, given up after fetchTimeoutSeconds of
// the clock. What the framework then decides is scripted (setOutcome): by default it offers the
// feed's newest build above the bundle's "CFBundleVersion"; a script may instead make it report
// an update found, up to date, a feed error or a check the user cancelled, and may make it
// unable to check (setCanCheck(false)), when check calls are ignored as the framework does while
// busy. An interactive check ends in one of the framework's windows (window()): the update found,
// until the user installs it, skips its version or is to be reminded later; or an alert that the
// application is up to date or that the feed failed, until the user presses OK. A cancelled check
// shows nothing, and quiet checks never show a window. While a window is shown a session is in
// progress: an interactive check then brings that window forward and a quiet one does nothing. A
// skipped version is no longer reported by quiet checks; checks the user asks for still show it.
// Installing tells the delegate, then asks the application to quit so that the new build can be put
// in place and launched (installRequested, takeInstalledUpdate). Main thread.
//
// The time limit counts with Clock::sleepForNetwork(). A file address is read only when it names
// a regular file (FeedFile): anything else, a FIFO or a folder say, is a feed error.
class SimUpdater final : public QObject, public Updater {
    Q_OBJECT

public:
    enum class Outcome { Decide, Found, UpToDate, FeedError, Cancelled };

    static constexpr qint64 maximumFeedBytes = 1024 * 1024;
    static constexpr double fetchTimeoutSeconds = 30;

    // `facts` (the bundle's values) and `clock` must outlive the updater.
    SimUpdater(Clock &clock, const SystemFacts &facts, QObject *parent = nullptr);
    ~SimUpdater() override;

    void setDelegate(UpdaterDelegate *delegate) override;
    void setHttpHeaders(const QList<QPair<QByteArray, QByteArray>> &headers) override;
    [[nodiscard]] bool automaticallyChecksForUpdates() const override { return m_automatic; }
    void setAutomaticallyChecksForUpdates(bool on) override { m_automatic = on; }
    [[nodiscard]] std::optional<QDateTime> lastUpdateCheckDate() const override {
        return m_lastCheck;
    }
    [[nodiscard]] bool canCheckForUpdates() const override;
    [[nodiscard]] bool sessionInProgress() const override { return m_checking || m_window; }
    void checkForUpdateInformation() override;
    void checkForUpdates() override;

    // Script API.
    void setOutcome(Outcome outcome) { m_outcome = outcome; }
    void setCanCheck(bool canCheck) { m_canCheck = canCheck; }
    void setLastUpdateCheckDate(const std::optional<QDateTime> &date) { m_lastCheck = date; }
    // The update the framework's window offers after an interactive check; absent when none is
    // shown.
    [[nodiscard]] const std::optional<AppcastItem> &offeredUpdate() const { return m_offered; }
    // The framework's window on screen; absent when none is.
    [[nodiscard]] const std::optional<UpdaterWindow> &window() const { return m_window; }
    // The answers to the update window; each does nothing while no update is offered.
    void userInstallsUpdate();
    void userSkipsVersion();
    void userRemindsLater();
    // OK in an alert; nothing while no alert is shown.
    void userAcknowledgesAlert();
    // The version the user skipped; absent when none was.
    [[nodiscard]] const std::optional<QString> &skippedVersion() const { return m_skipped; }
    // The update the user chose to install, once: the installer puts it in place after the
    // application quit.
    [[nodiscard]] std::optional<AppcastItem> takeInstalledUpdate();
    // The application quit: its windows and any check under way go with it, without a word to
    // the delegate. An installation it asked for stays for the installer.
    void applicationQuit();
    // Checks the framework started (ignored calls are not counted).
    [[nodiscard]] int checksStarted() const { return m_checksStarted; }
    [[nodiscard]] bool isChecking() const { return m_checking; }

Q_SIGNALS:
    // A check has ended and its delegate calls are made (the window may still be open).
    void checkEnded();
    // A window was shown, or the one shown closed.
    void windowChanged();
    // A check asked for while a window was open: that window comes to the front with the
    // keyboard.
    void windowBroughtForward();
    // The user chose to install: the application is to quit for the new build.
    void installRequested(const zorv::AppcastItem &item);

private:
    struct Fetched {
        QByteArray body;
        std::optional<UpdaterError> error;
    };

    void start(UpdateCheckKind kind);
    QCoro::Task<> check(UpdateCheckKind kind, CancellationToken session);
    QCoro::Task<Fetched> fetch(QUrl url);
    void finish(UpdateCheckKind kind, const std::optional<UpdaterError> &error);
    [[nodiscard]] std::optional<QString> feedAddress() const;
    // Ends the interactive cycle the offered update's window began.
    void closeOffered(const std::optional<UpdaterError> &error);
    void show(UpdaterWindow window);
    // The bundle's display version and name.
    [[nodiscard]] QString currentVersion() const;
    [[nodiscard]] QString appName() const;
    [[nodiscard]] UpdaterWindow::VersionDisplay versionDisplay() const;

    Clock &m_clock;
    const SystemFacts &m_facts;
    QNetworkAccessManager m_network;
    UpdaterDelegate *m_delegate = nullptr;
    QList<QPair<QByteArray, QByteArray>> m_headers;
    bool m_automatic = true;
    std::optional<QDateTime> m_lastCheck;
    Outcome m_outcome = Outcome::Decide;
    bool m_canCheck = true;
    bool m_checking = false;
    std::optional<AppcastItem> m_offered;
    std::optional<UpdaterWindow> m_window;
    std::optional<QString> m_skipped;
    std::optional<AppcastItem> m_installed;
    int m_checksStarted = 0;
    // Cancelled when the application quits, or the updater goes.
    CancellationSource m_session;
};

} // namespace zorv
