#include "context/simusernotifications.h"

#include <QTimer>

namespace zorv {

SimUserNotifications::SimUserNotifications(QObject *parent) : QObject(parent) {}

bool SimUserNotifications::allowed() const {
    return m_status == NotificationAuthorization::Authorized ||
           m_status == NotificationAuthorization::Provisional ||
           m_status == NotificationAuthorization::Ephemeral;
}

void SimUserNotifications::authorizationStatus(
    std::function<void(NotificationAuthorization)> answer) {
    QTimer::singleShot(0, this,
                       [answer = std::move(answer), status = m_status] { answer(status); });
}

void SimUserNotifications::requestAuthorization(std::function<void(bool granted)> answer) {
    if (m_status == NotificationAuthorization::NotDetermined) {
        ++m_promptsShown;
        m_status = m_promptAnswer ? NotificationAuthorization::Authorized
                                  : NotificationAuthorization::Denied;
    }
    QTimer::singleShot(0, this,
                       [answer = std::move(answer), granted = allowed()] { answer(granted); });
}

void SimUserNotifications::add(const NotificationRequest &request) {
    if (!allowed()) {
        return;
    }
    m_shown.append(request);
    Q_EMIT notificationShown(request);
}

} // namespace zorv
