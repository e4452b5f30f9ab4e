#include "context/simlocationauthorization.h"
#include "context/simscripting.h"
#include "context/simwificlient.h"
#include "knownnetworks.h"
#include "logoutprompt.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

struct NetworksCase {
    const char *name;
    QList<std::optional<QString>> remembered;
    QStringList all;
    std::optional<QString> hotspot;
};

void PrintTo(const NetworksCase &c, std::ostream *os) {
    *os << c.name;
}

class KnownNetworksTest : public ::testing::TestWithParam<NetworksCase> {};

TEST_P(KnownNetworksTest, listsRememberedNamesAndGuessesTheHotspot) {
    SimLocationAuthorization location;
    SimWifiClient wifi(location);
    wifi.setRememberedNetworks(GetParam().remembered);
    EXPECT_EQ(KnownNetworks::all(wifi), GetParam().all);
    EXPECT_EQ(KnownNetworks::likelyHotspot(wifi), GetParam().hotspot);
}

INSTANTIATE_TEST_SUITE_P(
    Networks, KnownNetworksTest,
    ::testing::Values(NetworksCase{"duplicatesAndEmpties",
                                   {u"Office"_s, u""_s, std::nullopt, u"Office"_s, u"Home"_s},
                                   {u"Office"_s, u"Home"_s},
                                   std::nullopt},
                      NetworksCase{"firstPhoneWins",
                                   {u"Home"_s, u"Anna's iPhone"_s, u"Cafe Hotspot"_s},
                                   {u"Home"_s, u"Anna's iPhone"_s, u"Cafe Hotspot"_s},
                                   u"Anna's iPhone"_s},
                      NetworksCase{
                          "caseInsensitive", {u"IPAD-Guest"_s}, {u"IPAD-Guest"_s}, u"IPAD-Guest"_s},
                      NetworksCase{"none", {}, {}, std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(KnownNetworksTest, noInterfaceRemembersNothing) {
    SimLocationAuthorization location;
    SimWifiClient wifi(location);
    wifi.join(u"Office"_s);
    wifi.setInterfacePresent(false);
    EXPECT_TRUE(KnownNetworks::all(wifi).isEmpty());
}

TEST(SimWifiClientTest, namesTheNetworkOnlyWithLocationAccess) {
    SimLocationAuthorization location;
    SimWifiClient wifi(location);
    wifi.join(u"Office"_s);
    EXPECT_EQ(wifi.currentNetworkName(), std::nullopt);
    location.setStatus(LocationStatus::AuthorizedAlways);
    EXPECT_EQ(wifi.currentNetworkName(), u"Office"_s);
    wifi.join(std::nullopt);
    EXPECT_EQ(wifi.currentNetworkName(), std::nullopt);
    EXPECT_EQ(KnownNetworks::all(wifi), QStringList{u"Office"_s});
}

struct LogoutCase {
    const char *name;
    SimScripting::Outcome outcome;
    bool started;
};

void PrintTo(const LogoutCase &c, std::ostream *os) {
    *os << c.name;
}

class LogoutPromptTest : public ::testing::TestWithParam<LogoutCase> {};

// A script that cannot even be built has not started a log-out, so the caller must hear false.
TEST_P(LogoutPromptTest, saysWhetherTheLogoutStarted) {
    SimScripting scripting;
    scripting.setOutcome(GetParam().outcome);
    EXPECT_EQ(LogoutPrompt::requestLogout(scripting), GetParam().started);
    EXPECT_EQ(scripting.logoutsStarted(), GetParam().started ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, LogoutPromptTest,
    ::testing::Values(LogoutCase{"runs", SimScripting::Outcome::Runs, true},
                      LogoutCase{"refused", SimScripting::Outcome::Refused, false},
                      LogoutCase{"cannotBuild", SimScripting::Outcome::CannotBuild, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LogoutPromptTest, sendsTheLoginWindowItsLogoutEvent) {
    EXPECT_EQ(LogoutPrompt::script.toUtf8().size(), 52);
    EXPECT_TRUE(LogoutPrompt::script.startsWith(u"tell application \"loginwindow\" to "_s));
}

} // namespace
} // namespace zorv
