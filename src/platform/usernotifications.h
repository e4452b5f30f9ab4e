#pragma once

#include <QString>

#include <functional>

namespace zorv {

// What the user allowed this application in the notification settings.
enum class NotificationAuthorization { NotDetermined, Denied, Authorized, Provisional, Ephemeral };

// One notification to show at once.
struct NotificationRequest {
    QString identifier;
    QString title;
    QString body;

    friend bool operator==(const NotificationRequest &, const NotificationRequest &) = default;
};

// Stands in for the current user-notification centre. Answers arrive later, never inside the
// call that asked for them (on the real system on any thread; callers hand them to the main
// thread themselves). Called on the main thread.
class UserNotifications {
public:
    virtual ~UserNotifications() = default;

    virtual void authorizationStatus(std::function<void(NotificationAuthorization)> answer) = 0;
    // Shows the system's prompt when the user has not decided yet; answers whether
    // notifications are allowed.
    virtual void requestAuthorization(std::function<void(bool granted)> answer) = 0;
    // Shows the notification when notifications are allowed; nothing otherwise.
    virtual void add(const NotificationRequest &request) = 0;
};

} // namespace zorv
