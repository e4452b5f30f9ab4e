#include "updatescardmodel.h"

#include "about/aboutcontent.h"
#include "clock.h"
#include "connections.h"
#include "update/updateavailability.h"
#include "workspace.h"

#include <QLocale>
#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace zorv {

UpdatesCardModel::UpdatesCardModel(QObject *parent) : QObject(parent) {}

void UpdatesCardModel::setView(ModelView *view) {
    if (view == m_view) {
        return;
    }
    disconnectAll(m_connections);
    m_view = view;
    if (m_view) {
        m_connections = {
            connect(m_view, &ModelView::updateStatusChanged, this,
                    &UpdatesCardModel::statusChanged),
            connect(m_view, &ModelView::automaticUpdateChecksChanged, this,
                    &UpdatesCardModel::automaticChecksChanged),
        };
    }
    Q_EMIT viewChanged();
    Q_EMIT statusChanged();
    Q_EMIT automaticChecksChanged();
}

QString UpdatesCardModel::statusLine() const {
    return m_view ? m_view->updateStatusLine() : QString();
}

QString UpdatesCardModel::note() const {
    if (!m_view || !m_view->updateCanInstall()) {
        return u"Move Zorv to Applications to get updates."_s;
    }
    const QDateTime last = m_view->updateLastChecked();
    const QDateTime now = m_services ? m_services->clock().wallNow() : QDateTime::currentDateTime();
    return UpdateAvailability::lastCheckLine(last.isValid() ? std::optional(last) : std::nullopt,
                                             now, QTimeZone::systemTimeZone(), QLocale());
}

bool UpdatesCardModel::offered() const {
    return m_view && !m_view->updateOffered().isEmpty();
}

QString UpdatesCardModel::installTitle() const {
    return u"Install v"_s + (m_view ? m_view->updateOffered() : QString());
}

bool UpdatesCardModel::releaseNotesShown() const {
    return offered() && releaseNotesUrl(m_view->updateOffered()).has_value();
}

bool UpdatesCardModel::checkNowEnabled() const {
    return m_view && !m_view->updateChecking() && m_view->updateCanInstall();
}

bool UpdatesCardModel::automaticChecksShown() const {
    return m_view && !m_view->automaticUpdateChecks().isNull();
}

bool UpdatesCardModel::automaticChecks() const {
    return m_view && m_view->automaticUpdateChecks().toBool();
}

void UpdatesCardModel::setAutomaticChecks(bool enabled) {
    if (automaticChecksShown()) {
        m_view->setAutomaticUpdateChecks(enabled);
    }
}

std::optional<QUrl> UpdatesCardModel::releaseNotesUrl(const QString &version) {
    if (version.isEmpty()) {
        return std::nullopt;
    }
    // Everything but letters, digits and "-._~" is escaped, "/", "?", "#" and "%" included.
    const QByteArray segment = "Zorv-" + QUrl::toPercentEncoding(version) + ".html";
    QUrl url = AboutContent::productUrl;
    url.setPath(u"/release-notes/"_s + QString::fromLatin1(segment), QUrl::StrictMode);
    if (!url.isValid() || url.host() != AboutContent::productUrl.host()) {
        return std::nullopt;
    }
    return url;
}

void UpdatesCardModel::checkNow() {
    if (checkNowEnabled()) {
        m_view->checkForUpdatesNow();
    }
}

void UpdatesCardModel::install() {
    if (offered()) {
        m_view->installUpdate();
    }
}

void UpdatesCardModel::openReleaseNotes() {
    if (!offered() || !m_services || !m_services->about().workspace) {
        return;
    }
    if (const std::optional<QUrl> url = releaseNotesUrl(m_view->updateOffered())) {
        m_services->about().workspace->openUrl(*url);
    }
}

} // namespace zorv
