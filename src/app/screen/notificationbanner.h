#pragma once

#include "cancellation.h"

#include <QCoroTask>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <optional>

namespace zorv {

class Clock;
class SimUserNotifications;
struct NotificationRequest;

// The banner the simulated Mac shows for a notification: the latest notification shown, at the
// top right of the active screen, for bannerSeconds of simulated time; a newer one replaces it.
// Main thread.
class NotificationBanner : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the desktop view model.")
    Q_PROPERTY(bool shown READ shown NOTIFY changed)
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(QString body READ body NOTIFY changed)

public:
    static constexpr double bannerSeconds = 5.0;

    NotificationBanner(SimUserNotifications &notifications, Clock &clock,
                       QObject *parent = nullptr);
    ~NotificationBanner() override;

    [[nodiscard]] bool shown() const { return m_shown; }
    [[nodiscard]] QString title() const { return m_title; }
    [[nodiscard]] QString body() const { return m_body; }

Q_SIGNALS:
    void changed();

private:
    void show(const NotificationRequest &request);
    QCoro::Task<> hideLater(CancellationToken cancellation);

    Clock &m_clock;
    bool m_shown = false;
    QString m_title;
    QString m_body;
    std::optional<CancellationSource> m_pendingHide;
    std::optional<QCoro::Task<>> m_hideTask;
};

} // namespace zorv
