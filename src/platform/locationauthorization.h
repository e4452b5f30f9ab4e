#pragma once

#include <QObject>

namespace zorv {

// The application's Location authorisation, as the location manager reports it.
enum class LocationStatus { NotDetermined, Restricted, Denied, AuthorizedAlways };

// Stands in for the location manager's authorisation: the current status, the request that
// shows the system's prompt, and the change callback. The application never uses the location
// itself. Main thread.
class LocationAuthorization : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    [[nodiscard]] virtual LocationStatus status() const = 0;
    // Shows the system's prompt while the status is not determined; does nothing otherwise.
    virtual void requestAlwaysAuthorization() = 0;

Q_SIGNALS:
    void statusChanged();
};

} // namespace zorv
