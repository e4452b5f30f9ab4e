#include "context/simlocationauthorization.h"

#include <QTimer>

namespace zorv {

SimLocationAuthorization::SimLocationAuthorization(QObject *parent)
    : LocationAuthorization(parent) {}

void SimLocationAuthorization::requestAlwaysAuthorization() {
    if (m_status != LocationStatus::NotDetermined) {
        return;
    }
    ++m_promptsShown;
    const LocationStatus answer =
        m_promptAnswer ? LocationStatus::AuthorizedAlways : LocationStatus::Denied;
    QTimer::singleShot(0, this, [this, answer] { setStatus(answer); });
}

void SimLocationAuthorization::setStatus(LocationStatus status) {
    if (status == m_status) {
        return;
    }
    m_status = status;
    Q_EMIT statusChanged();
}

} // namespace zorv
