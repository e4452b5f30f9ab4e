#include "cloud/simcloud.h"
#include "cloud/simcloudkeyvaluestore.h"
#include "manualclock.h"
#include "preferences/simglobalpreferences.h"
#include "scenario/scenarioerror.h"
#include "scenario/scenarioloader.h"
#include "scenario/scenariorunner.h"
#include "simulateddesktop.h"
#include "workspace/simworkspace.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// A scenario of one screen whose events are `events` (the inside of the array).
QByteArray withEvents(const QString &events) {
    return uR"({"name": "t",
        "screens": [{"name": "A", "frame": {"x": 0, "y": 0, "width": 800, "height": 600}}],
        "events": [%1]})"_s.arg(events)
        .toUtf8();
}

TEST(ScenarioCloudTest, ReadsChangesFromOtherMacs) {
    const Scenario scenario = ScenarioLoader::parse(withEvents(uR"(
            {"at": 1, "do": "cloudChange", "from": " Anna's MacBook Air ", "key": "zorv.settings.v1",
             "value": {"updatedAt": "2026-12-01T09:00:00Z", "b": [1, 2.5], "a": "x/y"}},
            {"at": 2, "do": "cloudChange", "from": "Ben's iMac", "key": "k", "value": "{not json"},
            {"at": 3, "do": "cloudChange", "from": "Ben's iMac", "key": "k", "value": null})"_s),
                                                    u"t.json"_s);
    using scenarioaction::CloudChange;
    const QList<CloudChange> expected{
        // An object or array is stored as its compact JSON text, keys sorted.
        {u"Anna's MacBook Air"_s, u"zorv.settings.v1"_s,
         QByteArray(R"({"a":"x/y","b":[1,2.5],"updatedAt":"2026-12-01T09:00:00Z"})")},
        // A string as its bytes, whatever they hold.
        {u"Ben's iMac"_s, u"k"_s, QByteArray("{not json")},
        {u"Ben's iMac"_s, u"k"_s, std::nullopt}};
    ASSERT_EQ(scenario.events.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const auto *change = std::get_if<CloudChange>(&scenario.events[i].action);
        ASSERT_NE(change, nullptr) << i;
        EXPECT_EQ(*change, expected[i]) << i;
    }
}

struct BadChange {
    const char *name;
    QString event;
    QString reason;
};

void PrintTo(const BadChange &c, std::ostream *out) {
    *out << c.name;
}

class BadCloudChangeTest : public ::testing::TestWithParam<BadChange> {};

TEST_P(BadCloudChangeTest, FailsWithTheKeyPath) {
    const BadChange &c = GetParam();
    try {
        (void)ScenarioLoader::parse(withEvents(c.event), u"bad.json"_s);
        ADD_FAILURE() << "accepted: " << c.event.toStdString();
    } catch (const ScenarioError &error) {
        EXPECT_TRUE(error.message().startsWith(u"bad.json: "_s + c.reason))
            << error.message().toStdString();
    }
}

const QString hugeValue = u"\""_s + QString(1024 * 1024 + 1, u'x') + u"\""_s;

INSTANTIATE_TEST_SUITE_P(
    Events, BadCloudChangeTest,
    ::testing::Values(
        BadChange{"BlankSender",
                  uR"({"at": 1, "do": "cloudChange", "from": "  ", "key": "k", "value": "v"})"_s,
                  u"$.events[0].from: Name the Mac the change comes from."_s},
        BadChange{"EmptyKey",
                  uR"({"at": 1, "do": "cloudChange", "from": "A", "key": "", "value": "v"})"_s,
                  u"$.events[0].key: A key of the iCloud key-value store is 1 to 64 bytes long "
                  "in UTF-8."_s},
        // 33 characters, 66 bytes.
        BadChange{"KeyOver64Bytes",
                  uR"({"at": 1, "do": "cloudChange", "from": "A", "key": "%1", "value": "v"})"_s
                      .arg(QString(33, QChar(0xe9))),
                  u"$.events[0].key: A key of the iCloud key-value store is 1 to 64 bytes"_s},
        BadChange{"NoValue", uR"({"at": 1, "do": "cloudChange", "from": "A", "key": "k"})"_s,
                  u"$.events[0].value: The required key is missing."_s},
        BadChange{"NumberValue",
                  uR"({"at": 1, "do": "cloudChange", "from": "A", "key": "k", "value": 3})"_s,
                  u"$.events[0].value: Expected a string, a JSON object or array, or null to "
                  "remove the key."_s},
        BadChange{"ValueOverTheStoresLimit",
                  uR"({"at": 1, "do": "cloudChange", "from": "A", "key": "k", "value": %1})"_s.arg(
                      hugeValue),
                  u"$.events[0].value: The iCloud key-value store holds at most 1048576 bytes "
                  "under a key; this value has 1048577."_s},
        BadChange{"UnknownKey",
                  uR"({"at": 1, "do": "cloudChange", "from": "A", "key": "k", "value": "v",
                       "device": "x"})"_s,
                  u"$.events[0].device: Unknown key"_s}),
    [](const auto &info) { return std::string(info.param.name); });

// The changes reach this Mac as any other Mac's writes do, each from the Mac the event names:
// this Mac hears of every one, and the server's log names the senders.
TEST(ScenarioCloudTest, ChangesArriveFromTheNamedMacs) {
    ManualClock clock;
    SimulatedDesktop desktop(clock, AppDescription{u"app.zorv.Zorv"_s, u"Zorv"_s});
    SimWorkspace workspace(desktop.model());
    SimGlobalPreferences preferences;
    SimCloud cloud;
    SimCloudKeyValueStore thisMac(cloud, u"This Mac"_s);
    QSignalSpy heard(&thisMac, &CloudKeyValueStore::changedExternally);
    ScenarioRunner runner(ScenarioLoader::parse(withEvents(uR"(
            {"at": 5, "do": "cloudChange", "from": "Anna's MacBook Air", "key": "k", "value": "one"},
            {"at": 6, "do": "cloudChange", "from": "Ben's iMac", "key": "k", "value": "two"},
            {"at": 7, "do": "cloudChange", "from": "Anna's MacBook Air", "key": "k", "value": null})"_s),
                                                u"t.json"_s),
                          desktop, workspace, preferences, cloud);
    runner.start();
    clock.settle();

    const QList<std::optional<QByteArray>> seen{QByteArray("one"), QByteArray("two"), std::nullopt};
    for (qsizetype i = 0; i < seen.size(); ++i) {
        clock.advance(seconds(i == 0 ? 5 : 1));
        clock.settle();
        EXPECT_EQ(thisMac.data(u"k"_s), seen[i]) << i;
        EXPECT_EQ(heard.size(), i + 1);
    }
    const QList<SimCloudWrite> writes{{u"Anna's MacBook Air"_s, u"k"_s, QByteArray("one")},
                                      {u"Ben's iMac"_s, u"k"_s, QByteArray("two")},
                                      {u"Anna's MacBook Air"_s, u"k"_s, std::nullopt}};
    EXPECT_EQ(cloud.writes(), writes);
}

} // namespace
} // namespace zorv
