#include "systemnotifier.h"

#include "blanks.h"
#include "systemaddresses.h"
#include "workspace.h"

#include <QPointer>
#include <QUrl>
#include <QUuid>

namespace zorv {
namespace {

bool allows(NotificationAuthorization status) {
    return status == NotificationAuthorization::Authorized ||
           status == NotificationAuthorization::Provisional;
}

} // namespace

SystemNotifier::SystemNotifier(UserNotifications &center, Workspace &workspace, QObject *parent)
    : QObject(parent), m_center(center), m_workspace(workspace) {
    refresh();
}

template <typename Apply>
void SystemNotifier::onMainThread(const QPointer<SystemNotifier> &notifier, Apply apply) {
    if (!notifier) {
        return;
    }
    QMetaObject::invokeMethod(
        notifier.data(),
        [notifier, apply = std::move(apply)]() mutable {
            if (notifier) {
                apply(*notifier);
            }
        },
        Qt::QueuedConnection);
}

void SystemNotifier::post(const QString &text) {
    const QString body = trimmedOfBlanks(text);
    if (body.isEmpty()) {
        return;
    }
    const NotificationRequest request{QUuid::createUuid().toString(QUuid::WithoutBraces), title,
                                      body};
    UserNotifications *center = &m_center;
    const QPointer<SystemNotifier> self(this);
    center->authorizationStatus([center, self, request](NotificationAuthorization status) {
        if (status == NotificationAuthorization::NotDetermined) {
            center->requestAuthorization([center, self, request](bool granted) {
                if (granted) {
                    center->add(request);
                }
                onMainThread(self, [granted](SystemNotifier &n) { n.setAllowed(granted); });
            });
            return;
        }
        const bool allowed = allows(status);
        if (allowed) {
            center->add(request);
        }
        onMainThread(self, [allowed](SystemNotifier &n) { n.setAllowed(allowed); });
    });
}

void SystemNotifier::refresh() {
    m_center.authorizationStatus(
        [self = QPointer<SystemNotifier>(this)](NotificationAuthorization status) {
            const bool allowed = allows(status);
            onMainThread(self, [allowed](SystemNotifier &n) { n.setAllowed(allowed); });
        });
}

void SystemNotifier::request() {
    if (m_asked && !m_allowed) {
        openSettings();
        return;
    }
    if (!m_asked) {
        m_asked = true;
        Q_EMIT askedChanged();
    }
    m_center.requestAuthorization([self = QPointer<SystemNotifier>(this)](bool granted) {
        onMainThread(self, [granted](SystemNotifier &n) {
            n.setAllowed(granted);
            if (!granted) {
                n.openSettings();
            }
        });
    });
}

void SystemNotifier::openSettings() {
    const QUrl address(SystemAddress::notificationSettings);
    if (address.isValid()) {
        m_workspace.openUrl(address);
    }
}

void SystemNotifier::setAllowed(bool allowed) {
    if (allowed == m_allowed) {
        return;
    }
    m_allowed = allowed;
    Q_EMIT isAllowedChanged();
}

} // namespace zorv
