#pragma once

#include "usernotifications.h"

#include <QList>
#include <QObject>

namespace zorv {

// The simulated Mac's notification centre for this application: the user has not decided yet
// until the prompt is answered (as the script says) or a scenario sets the permission. Every
// answer arrives from the next turn of the event loop. Notifications shown are recorded in
// order and announced, so the desktop window can draw them as banners. Main thread.
class SimUserNotifications final : public QObject, public UserNotifications {
    Q_OBJECT

public:
    explicit SimUserNotifications(QObject *parent = nullptr);

    void authorizationStatus(std::function<void(NotificationAuthorization)> answer) override;
    void requestAuthorization(std::function<void(bool granted)> answer) override;
    void add(const NotificationRequest &request) override;

    // Script.
    void setAuthorization(NotificationAuthorization status) { m_status = status; }
    [[nodiscard]] NotificationAuthorization authorization() const { return m_status; }
    // What the user answers to the next prompts (allow by default).
    void setPromptAnswer(bool allow) { m_promptAnswer = allow; }
    [[nodiscard]] int promptsShown() const { return m_promptsShown; }
    [[nodiscard]] const QList<NotificationRequest> &shown() const { return m_shown; }

Q_SIGNALS:
    void notificationShown(const zorv::NotificationRequest &request);

private:
    [[nodiscard]] bool allowed() const;

    NotificationAuthorization m_status = NotificationAuthorization::NotDetermined;
    bool m_promptAnswer = true;
    int m_promptsShown = 0;
    QList<NotificationRequest> m_shown;
};

} // namespace zorv
