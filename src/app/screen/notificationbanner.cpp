#include "notificationbanner.h"

#include "clock.h"
#include "context/simusernotifications.h"

#include <QPointer>

namespace zorv {

NotificationBanner::NotificationBanner(SimUserNotifications &notifications, Clock &clock,
                                       QObject *parent)
    : QObject(parent), m_clock(clock) {
    connect(&notifications, &SimUserNotifications::notificationShown, this,
            &NotificationBanner::show);
}

NotificationBanner::~NotificationBanner() {
    if (m_pendingHide) {
        m_pendingHide->cancel();
    }
}

void NotificationBanner::show(const NotificationRequest &request) {
    if (m_pendingHide) {
        m_pendingHide->cancel();
    }
    m_pendingHide.emplace();
    m_shown = true;
    m_title = request.title;
    m_body = request.body;
    Q_EMIT changed();
    m_hideTask = hideLater(m_pendingHide->token());
}

QCoro::Task<> NotificationBanner::hideLater(CancellationToken cancellation) {
    QPointer<NotificationBanner> self(this);
    const SleepOutcome outcome =
        co_await m_clock.sleep(seconds(bannerSeconds), std::move(cancellation));
    if (outcome == SleepOutcome::Cancelled || !self) {
        co_return;
    }
    self->m_shown = false;
    Q_EMIT self->changed();
}

} // namespace zorv
