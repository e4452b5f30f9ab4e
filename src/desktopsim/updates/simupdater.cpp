#include "simupdater.h"

#include "appcast.h"
#include "feedfile.h"
#include "networkrequests.h"
#include "systemfacts.h"

#include <QCoroNetworkReply>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

UpdaterError feedError(const QString &description) {
    return {UpdaterError::frameworkDomain, UpdaterError::appcastError, description};
}

QCoro::Task<> abortWhenLate(Clock *clock, Duration timeout, QPointer<QNetworkReply> reply,
                            CancellationToken answered) {
    const SleepOutcome outcome = co_await clock->sleepForNetwork(timeout, answered);
    if (outcome == SleepOutcome::Elapsed && reply && !reply->isFinished()) {
        reply->abort();
    }
}

} // namespace

SimUpdater::SimUpdater(Clock &clock, const SystemFacts &facts, QObject *parent)
    : QObject(parent), m_clock(clock), m_facts(facts) {}

SimUpdater::~SimUpdater() {
    m_session.cancel();
}

void SimUpdater::setDelegate(UpdaterDelegate *delegate) {
    m_delegate = delegate;
}

void SimUpdater::setHttpHeaders(const QList<QPair<QByteArray, QByteArray>> &headers) {
    m_headers = headers;
}

bool SimUpdater::canCheckForUpdates() const {
    return m_canCheck && !m_checking;
}

void SimUpdater::checkForUpdateInformation() {
    start(UpdateCheckKind::Information);
}

void SimUpdater::checkForUpdates() {
    start(UpdateCheckKind::Interactive);
}

void SimUpdater::start(UpdateCheckKind kind) {
    if (!canCheckForUpdates()) {
        return;
    }
    if (m_window) {
        if (kind == UpdateCheckKind::Interactive) {
            Q_EMIT windowBroughtForward();
        }
        return;
    }
    m_checking = true;
    ++m_checksStarted;
    check(kind, m_session.token());
}

std::optional<QString> SimUpdater::feedAddress() const {
    if (m_delegate) {
        if (auto feed = m_delegate->feedURLString()) {
            return feed;
        }
    }
    return m_facts.bundleInfoString(u"SUFeedURL"_s);
}

QCoro::Task<> SimUpdater::check(UpdateCheckKind kind, CancellationToken session) {
    QPointer<SimUpdater> self(this);
    const std::optional<QString> address = feedAddress();
    const QUrl url = QUrl::fromUserInput(address.value_or(QString()));
    const bool usable = url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https" ||
                                          url.scheme() == u"file");
    Fetched fetched;
    if (usable && url.isLocalFile()) {
        // Reported at the next turn too; the file is read only when it is a regular one.
        (void)co_await m_clock.sleep(Duration::zero(), session);
        if (!self || session.isCancelled()) {
            co_return;
        }
        auto read = FeedFile::read(url.toLocalFile(), maximumFeedBytes);
        if (auto *body = std::get_if<QByteArray>(&read)) {
            fetched.body = std::move(*body);
        } else {
            fetched.error = feedError(std::get<QString>(read));
        }
    } else if (usable) {
        fetched = co_await fetch(url);
    } else {
        // Reported at the next turn, as a real fetch would be.
        (void)co_await m_clock.sleep(Duration::zero(), session);
        fetched.error = feedError(u"No valid update feed is configured."_s);
    }
    if (!self || session.isCancelled()) {
        co_return;
    }
    std::optional<UpdaterError> error = fetched.error;
    std::optional<QList<AppcastItem>> items;
    if (!error) {
        items = Appcast::parse(fetched.body);
        if (!items) {
            error = UpdaterError{UpdaterError::frameworkDomain, UpdaterError::appcastParseError,
                                 u"The update feed could not be read."_s};
        }
    }
    if (!error && m_outcome == Outcome::FeedError) {
        error = feedError(u"The update feed reported an error."_s);
    }
    if (!error && m_outcome == Outcome::Cancelled) {
        error = UpdaterError{UpdaterError::frameworkDomain, UpdaterError::installationCanceledError,
                             u"The check was cancelled."_s};
    }
    if (error) {
        // The alert is up before the delegate hears of the end: the framework stays busy.
        if (kind == UpdateCheckKind::Interactive &&
            error->code != UpdaterError::installationCanceledError) {
            show(UpdaterWindow::error(*error));
        }
        finish(kind, error);
        co_return;
    }
    const QString build = m_facts.bundleInfoString(u"CFBundleVersion"_s).value_or(u"0"_s);
    // A skipped version counts as this build's for quiet checks: only a newer one is reported.
    const bool skipsSkipped =
        kind == UpdateCheckKind::Information && m_skipped && Appcast::isNewer(*m_skipped, build);
    std::optional<AppcastItem> found = Appcast::newest(*items, skipsSkipped ? *m_skipped : build);
    if (m_outcome == Outcome::UpToDate) {
        found.reset();
    } else if (m_outcome == Outcome::Found && !found && !items->isEmpty()) {
        found = items->constFirst();
    }
    m_lastCheck = m_clock.wallNow();
    if (!found) {
        if (m_delegate) {
            m_delegate->didNotFindUpdate();
        }
        if (!self) {
            co_return;
        }
        if (kind == UpdateCheckKind::Interactive) {
            show(UpdaterWindow::upToDate(appName(), currentVersion(), versionDisplay()));
        }
        finish(kind, UpdaterError{UpdaterError::frameworkDomain, UpdaterError::noUpdateError,
                                  u"You're up to date!"_s});
        co_return;
    }
    if (m_delegate) {
        m_delegate->didFindValidUpdate(*found);
    }
    if (!self) {
        co_return;
    }
    if (kind == UpdateCheckKind::Interactive) {
        // The framework's window now offers the update; the cycle ends with the user's answer.
        m_offered = found;
        m_checking = false;
        show(UpdaterWindow::updateFound(*found, appName(), currentVersion(), versionDisplay()));
        Q_EMIT checkEnded();
        co_return;
    }
    finish(kind, std::nullopt);
}

QCoro::Task<SimUpdater::Fetched> SimUpdater::fetch(QUrl url) {
    QNetworkRequest request(url);
    for (const auto &[name, value] : std::as_const(m_headers)) {
        request.setRawHeader(name, value);
    }
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::SameOriginRedirectPolicy);
    // The access manager deletes its replies when it goes, possibly during the wait.
    const QPointer<QNetworkReply> reply = m_network.get(request);
    NetworkRequests::countUntil(reply.data(), &QNetworkReply::finished);
    auto tooLarge = std::make_shared<bool>(false);
    QObject::connect(reply.data(), &QNetworkReply::downloadProgress, reply.data(),
                     [reply, tooLarge](qint64 received, qint64 total) {
                         if (received > maximumFeedBytes || total > maximumFeedBytes) {
                             *tooLarge = true;
                             reply->abort();
                         }
                     });
    CancellationSource answered;
    abortWhenLate(&m_clock, seconds(fetchTimeoutSeconds), reply, answered.token());
    co_await qCoro(reply.data()).waitForFinished();
    answered.cancel();
    Fetched fetched;
    if (!reply) {
        fetched.error = feedError(u"The update check was interrupted."_s);
        co_return fetched;
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (*tooLarge) {
        fetched.error = feedError(FeedFile::tooLarge);
    } else if (reply->error() != QNetworkReply::NoError) {
        fetched.error = feedError(reply->errorString());
    } else if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299)) {
        fetched.error = feedError(u"The update server answered %1."_s.arg(status.toInt()));
    } else {
        fetched.body = reply->readAll();
        if (fetched.body.size() > maximumFeedBytes) {
            fetched.error = feedError(FeedFile::tooLarge);
            fetched.body.clear();
        }
    }
    reply->deleteLater();
    co_return fetched;
}

void SimUpdater::finish(UpdateCheckKind kind, const std::optional<UpdaterError> &error) {
    m_checking = false;
    if (m_delegate) {
        m_delegate->didFinishUpdateCycle(kind, error);
    }
    Q_EMIT checkEnded();
}

void SimUpdater::show(UpdaterWindow window) {
    m_window = std::move(window);
    Q_EMIT windowChanged();
}

QString SimUpdater::currentVersion() const {
    return m_facts.bundleInfoString(u"CFBundleShortVersionString"_s).value_or(u"0"_s);
}

QString SimUpdater::appName() const {
    return m_facts.bundleInfoString(u"CFBundleName"_s).value_or(u"This app"_s);
}

UpdaterWindow::VersionDisplay SimUpdater::versionDisplay() const {
    return [delegate = m_delegate](const QString &version) {
        return delegate ? delegate->displayVersion(version) : version;
    };
}

void SimUpdater::userInstallsUpdate() {
    if (!m_offered) {
        return;
    }
    const AppcastItem item = *m_offered;
    if (m_delegate) {
        m_delegate->willInstallUpdate(item);
    }
    m_installed = item;
    closeOffered(std::nullopt);
    Q_EMIT installRequested(item);
}

void SimUpdater::userSkipsVersion() {
    if (!m_offered) {
        return;
    }
    m_skipped = m_offered->version;
    closeOffered(UpdaterError{UpdaterError::frameworkDomain,
                              UpdaterError::installationCanceledError,
                              u"The update was skipped."_s});
}

void SimUpdater::userRemindsLater() {
    if (!m_offered) {
        return;
    }
    closeOffered(UpdaterError{UpdaterError::frameworkDomain,
                              UpdaterError::installationCanceledError,
                              u"The update was not installed."_s});
}

void SimUpdater::closeOffered(const std::optional<UpdaterError> &error) {
    m_offered.reset();
    m_window.reset();
    Q_EMIT windowChanged();
    finish(UpdateCheckKind::Interactive, error);
}

void SimUpdater::userAcknowledgesAlert() {
    if (!m_window || m_offered) {
        return;
    }
    m_window.reset();
    Q_EMIT windowChanged();
}

std::optional<AppcastItem> SimUpdater::takeInstalledUpdate() {
    return std::exchange(m_installed, std::nullopt);
}

void SimUpdater::applicationQuit() {
    m_session.cancel();
    m_session = CancellationSource();
    m_checking = false;
    m_offered.reset();
    if (std::exchange(m_window, std::nullopt)) {
        Q_EMIT windowChanged();
    }
}

} // namespace zorv
