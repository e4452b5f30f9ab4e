#include "notificationbanner.h"
#include "manualclock.h"
#include "simulateddesktop.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The banner shows the latest notification for five simulated seconds; a newer one replaces it
// and starts its own five seconds.
TEST(NotificationBannerTest, showsTheLatestNotificationForFiveSeconds) {
    ManualClock clock(QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC));
    AppDescription zorv;
    zorv.bundleIdentifier = u"app.zorv.Zorv"_s;
    SimulatedDesktop desktop(clock, zorv);
    SimUserNotifications &center = desktop.notifications();
    center.setAuthorization(NotificationAuthorization::Authorized);
    NotificationBanner banner(center, clock);
    EXPECT_FALSE(banner.shown());

    center.add({u"1"_s, u"Zorv"_s, u"first"_s});
    EXPECT_TRUE(banner.shown());
    EXPECT_EQ(banner.title(), u"Zorv"_s);
    clock.advance(seconds(4));
    center.add({u"2"_s, u"Zorv"_s, u"second"_s});
    clock.advance(seconds(4));
    EXPECT_TRUE(banner.shown());
    EXPECT_EQ(banner.body(), u"second"_s);
    clock.advance(seconds(1));
    clock.settle();
    EXPECT_FALSE(banner.shown());

    // Without permission nothing is shown.
    center.setAuthorization(NotificationAuthorization::Denied);
    center.add({u"3"_s, u"Zorv"_s, u"third"_s});
    EXPECT_FALSE(banner.shown());
}

} // namespace
} // namespace zorv
