#include "context/simlocationauthorization.h"
#include "context/simusernotifications.h"
#include "locationgate.h"
#include "manualclock.h"
#include "simulateddesktop.h"
#include "systemaddresses.h"
#include "systemnotifier.h"
#include "workspace/simworkspace.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

AppDescription zorvProcess() {
    AppDescription description;
    description.bundleIdentifier = u"app.zorv.Zorv"_s;
    return description;
}

class PermissionsTest : public ::testing::Test {
protected:
    ManualClock clock{QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC)};
    SimulatedDesktop desktop{clock, zorvProcess()};
    SimWorkspace workspace{desktop.model()};
    SimUserNotifications &center = desktop.notifications();

    [[nodiscard]] QStringList bodies() const {
        QStringList result;
        for (const NotificationRequest &request : center.shown()) {
            result.append(request.body);
        }
        return result;
    }
};

struct PostCase {
    const char *name;
    NotificationAuthorization status;
    bool promptAnswer;
    bool shown;
    int prompts;
};

void PrintTo(const PostCase &c, std::ostream *os) {
    *os << c.name;
}

class NotifierPostTest : public PermissionsTest, public ::testing::WithParamInterface<PostCase> {};

TEST_P(NotifierPostTest, postsAsThePermissionAllows) {
    center.setAuthorization(GetParam().status);
    center.setPromptAnswer(GetParam().promptAnswer);
    SystemNotifier notifier(center, workspace);
    notifier.post(u"Plugged in"_s);
    clock.settle();
    EXPECT_EQ(center.shown().size(), GetParam().shown ? 1 : 0);
    EXPECT_EQ(notifier.isAllowed(), GetParam().shown);
    EXPECT_EQ(center.promptsShown(), GetParam().prompts);
    EXPECT_FALSE(notifier.asked());
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, NotifierPostTest,
    ::testing::Values(
        PostCase{"authorized", NotificationAuthorization::Authorized, false, true, 0},
        PostCase{"provisional", NotificationAuthorization::Provisional, false, true, 0},
        PostCase{"denied", NotificationAuthorization::Denied, true, false, 0},
        PostCase{"ephemeral", NotificationAuthorization::Ephemeral, true, false, 0},
        PostCase{"undecidedAllows", NotificationAuthorization::NotDetermined, true, true, 1},
        PostCase{"undecidedRefuses", NotificationAuthorization::NotDetermined, false, false, 1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PermissionsTest, notificationBodiesAreTrimmedOfBlanksOnly) {
    center.setAuthorization(NotificationAuthorization::Authorized);
    SystemNotifier notifier(center, workspace);
    for (const QString &text :
         {u"   "_s, u"\t"_s, u"  Plugged in  "_s, u"\nOn battery\t"_s, u"Plugged in"_s}) {
        notifier.post(text);
    }
    clock.settle();
    EXPECT_EQ(bodies(), (QStringList{u"Plugged in"_s, u"\nOn battery"_s, u"Plugged in"_s}));
    ASSERT_EQ(center.shown().size(), 3);
    EXPECT_EQ(center.shown().first().title, u"Zorv"_s);
    EXPECT_NE(center.shown().at(0).identifier, center.shown().at(2).identifier);
}

TEST_F(PermissionsTest, aRefusedRequestSendsTheUserToSettings) {
    center.setPromptAnswer(false);
    SystemNotifier notifier(center, workspace);
    clock.settle();
    EXPECT_FALSE(notifier.isAllowed());
    notifier.request();
    clock.settle();
    EXPECT_TRUE(notifier.asked());
    EXPECT_EQ(center.promptsShown(), 1);
    const QList<QUrl> settings{QUrl(SystemAddress::notificationSettings)};
    EXPECT_EQ(workspace.openedUrls(), settings);
    notifier.request(); // the system asks only once
    clock.settle();
    EXPECT_EQ(center.promptsShown(), 1);
    EXPECT_EQ(workspace.openedUrls().size(), 2);
}

TEST_F(PermissionsTest, anAllowedRequestIsRemembered) {
    SystemNotifier notifier(center, workspace);
    notifier.request();
    clock.settle();
    EXPECT_TRUE(notifier.isAllowed());
    EXPECT_TRUE(workspace.openedUrls().isEmpty());
    center.setAuthorization(NotificationAuthorization::Denied);
    notifier.refresh();
    clock.settle();
    EXPECT_FALSE(notifier.isAllowed());
}

TEST_F(PermissionsTest, locationGateAsksOnceThenSendsTheUserToSettings) {
    SimLocationAuthorization &location = desktop.location();
    LocationGate gate(location, workspace);
    desktop.wifi().join(u"Office"_s);
    EXPECT_EQ(desktop.wifi().currentNetworkName(), std::nullopt);
    gate.request();
    clock.settle();
    EXPECT_EQ(location.promptsShown(), 1);
    EXPECT_TRUE(gate.authorized());
    EXPECT_EQ(desktop.wifi().currentNetworkName(), u"Office"_s);

    for (const LocationStatus refused : {LocationStatus::Denied, LocationStatus::Restricted}) {
        location.setStatus(refused);
        clock.settle();
        EXPECT_EQ(gate.status(), refused);
        gate.request();
    }
    EXPECT_EQ(location.promptsShown(), 1);
    const QUrl settings(SystemAddress::locationSettings);
    EXPECT_EQ(workspace.openedUrls(), (QList<QUrl>{settings, settings}));
}

} // namespace
} // namespace zorv
