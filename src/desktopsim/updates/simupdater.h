#pragma once

#include "cancellation.h"
#include "clock.h"
#include "updater.h"

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
// busy. An interactive check that finds an update shows the framework's window until the user
// installs or dismisses it (userInstallsUpdate, userDismissesUpdate). Main thread.
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
    void checkForUpdateInformation() override;
    void checkForUpdates() override;

    // Script API.
    void setOutcome(Outcome outcome) { m_outcome = outcome; }
    void setCanCheck(bool canCheck) { m_canCheck = canCheck; }
    void setLastUpdateCheckDate(const std::optional<QDateTime> &date) { m_lastCheck = date; }
    // The update the framework's window offers after an interactive check; absent when none is
    // shown.
    [[nodiscard]] const std::optional<AppcastItem> &offeredUpdate() const { return m_offered; }
    // The window's headline for the offered update, versions written the delegate's way; empty
    // when no update is offered.
    [[nodiscard]] QString offeredText() const;
    void userInstallsUpdate();
    void userDismissesUpdate();
    // Checks the framework started (ignored calls are not counted).
    [[nodiscard]] int checksStarted() const { return m_checksStarted; }
    [[nodiscard]] bool isChecking() const { return m_checking; }

Q_SIGNALS:
    // A check has ended and its delegate calls are made (the window may still be open).
    void checkEnded();
    // The user chose to install: the application is to quit for the new build.
    void installRequested(const zorv::AppcastItem &item);

private:
    struct Fetched {
        QByteArray body;
        std::optional<UpdaterError> error;
    };

    void start(UpdateCheckKind kind);
    QCoro::Task<> check(UpdateCheckKind kind, CancellationToken lifetime);
    QCoro::Task<Fetched> fetch(QUrl url);
    void finish(UpdateCheckKind kind, const std::optional<UpdaterError> &error);
    [[nodiscard]] std::optional<QString> feedAddress() const;

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
    int m_checksStarted = 0;
    CancellationSource m_lifetime;
};

} // namespace zorv
