#pragma once

#include "locationauthorization.h"

#include <QObject>

namespace zorv {

class Workspace;

// Owns the Location permission, which the system requires before it shares the Wi-Fi network's
// name: follows its status, asks for it, or sends the user to the Location Services settings
// once the system will not ask again. The application never uses the location itself. Main
// thread; lives as long as the application.
class LocationGate final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool authorized READ authorized NOTIFY statusChanged)

public:
    LocationGate(LocationAuthorization &authorization, Workspace &workspace,
                 QObject *parent = nullptr);

    [[nodiscard]] LocationStatus status() const { return m_status; }
    [[nodiscard]] bool authorized() const { return m_status == LocationStatus::AuthorizedAlways; }

    // Denied or restricted: opens the settings; otherwise asks the system.
    Q_INVOKABLE void request();
    Q_INVOKABLE void openSettings();

Q_SIGNALS:
    void statusChanged();

private:
    void setStatus(LocationStatus status);

    LocationAuthorization &m_authorization;
    Workspace &m_workspace;
    LocationStatus m_status;
};

} // namespace zorv
