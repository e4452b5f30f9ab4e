#include "locationgate.h"

#include "systemaddresses.h"
#include "workspace.h"

#include <QUrl>

namespace zorv {

LocationGate::LocationGate(LocationAuthorization &authorization, Workspace &workspace,
                           QObject *parent)
    : QObject(parent), m_authorization(authorization), m_workspace(workspace),
      m_status(authorization.status()) {
    // The change may be announced on any thread: the status is read there and written here.
    connect(
        &m_authorization, &LocationAuthorization::statusChanged, this,
        [this] { setStatus(m_authorization.status()); }, Qt::QueuedConnection);
}

void LocationGate::request() {
    if (m_status == LocationStatus::Denied || m_status == LocationStatus::Restricted) {
        openSettings();
        return;
    }
    m_authorization.requestAlwaysAuthorization();
}

void LocationGate::openSettings() {
    const QUrl address(SystemAddress::locationSettings);
    if (address.isValid()) {
        m_workspace.openUrl(address);
    }
}

void LocationGate::setStatus(LocationStatus status) {
    if (status == m_status) {
        return;
    }
    m_status = status;
    Q_EMIT statusChanged();
}

} // namespace zorv
