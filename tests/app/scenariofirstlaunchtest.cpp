#include "scenario/scenarioloader.h"
#include "scenariomac.h"
#include "storage/zorvpaths.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The shipped crowded first launch for an hour: Zorv's icon comes up in view, right of the
// housing or the menus, hiding works from the start, and the event log holds no reveal storm.
TEST(ScenarioFirstLaunchTest, comesUpInViewOnACrowdedNotchedLaptop) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    SimulatedMac mac(ScenarioLoader::load(u"crowded-first-launch"_s));
    ASSERT_TRUE(mac.app.start());
    SimulatedDesktop &desktop = mac.platform.desktop();
    int hiddenInView = 0;
    for (int minute = 0; minute < 60; ++minute) {
        mac.driver.run(seconds(60.0));
        const std::optional<quint64> icon =
            desktop.items().find(desktop.applications().currentProcessId(), BarItems::zorvIconName);
        EXPECT_TRUE(icon && desktop.readout().entry(*icon).value_or(BarEntry{}).visible)
            << "icon out of view at minute " << minute;
        EXPECT_EQ(mac.engine().hidingBlocked(), std::nullopt) << "at minute " << minute;
        hiddenInView += mac.engine().isRevealed() ? 0 : 1;
    }
    EXPECT_GT(hiddenInView, 50);

    QFile events(ZorvPaths::file(u"events.jsonl"_s));
    ASSERT_TRUE(events.open(QIODevice::ReadOnly));
    int reveals = 0;
    int watchdogMisses = 0;
    for (const QByteArray &line : events.readAll().split('\n')) {
        const QString kind = QJsonDocument::fromJson(line).object().value(u"kind"_s).toString();
        reveals += kind == u"reveal"_s ? 1 : 0;
        watchdogMisses += kind == u"watchdog-miss"_s ? 1 : 0;
    }
    EXPECT_EQ(watchdogMisses, 0);
    EXPECT_LE(reveals, 10);
    EXPECT_EQ(mac.app.finish(), 0);
}

} // namespace
} // namespace zorv
