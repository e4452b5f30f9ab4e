#pragma once

#include "shell/notifier.h"
#include "usernotifications.h"

#include <QObject>
#include <QPointer>

namespace zorv {

class Workspace;

// The one gate to the user-notification centre: posts what rules send (title "Zorv", the
// trimmed text as body, at once), follows whether notifications are allowed, asks for the
// permission, and sends the user to the notification settings once the system will not ask
// again. The centre answers later; each answer is applied on the main thread while the notifier
// still exists. Main thread; lives as long as the application.
class SystemNotifier final : public QObject, public Notifier {
    Q_OBJECT
    Q_PROPERTY(bool isAllowed READ isAllowed NOTIFY isAllowedChanged)
    Q_PROPERTY(bool asked READ asked NOTIFY askedChanged)

public:
    static inline const QString title = QStringLiteral("Zorv");

    // Reads the permission once at creation.
    SystemNotifier(UserNotifications &center, Workspace &workspace, QObject *parent = nullptr);

    [[nodiscard]] bool isAllowed() const { return m_allowed; }
    [[nodiscard]] bool asked() const { return m_asked; }

    // Posts nothing for a text of only spaces and tabs; without a decision yet, asks first and
    // posts when the user allows it.
    void post(const QString &text) override;
    Q_INVOKABLE void refresh();
    // The first time: the system's prompt, and the settings when it is refused; after a refusal,
    // the settings at once.
    Q_INVOKABLE void request();
    Q_INVOKABLE void openSettings();

Q_SIGNALS:
    void isAllowedChanged();
    void askedChanged();

private:
    void setAllowed(bool allowed);
    // Runs `apply` on the main thread while the notifier exists.
    template <typename Apply>
    static void onMainThread(const QPointer<SystemNotifier> &notifier, Apply apply);

    UserNotifications &m_center;
    Workspace &m_workspace;
    bool m_allowed = false;
    bool m_asked = false;
};

} // namespace zorv
