#include "engine/classicengine.h"
#include "manualclock.h"
#include "scenario/scenarioloader.h"
#include "simulatedplatform.h"
#include "workerclockdriver.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThreadPool>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The shipped crowded first launch for an hour: Zorv's icon comes up in view, right of the
// housing or the menus, hiding works from the start, and the event log holds no reveal storm.
TEST(ScenarioFirstLaunchTest, comesUpInViewOnACrowdedNotchedLaptop) {
    const Scenario scenario = ScenarioLoader::load(u"crowded-first-launch"_s);
    ManualClock clock(*scenario.start);
    SimulatedPlatform platform(clock, scenario, false);
    QThreadPool pool;
    WorkerClockDriver driver(clock);
    const QTemporaryDir folder;
    platform.start();
    SimulatedDesktop &desktop = platform.desktop();
    EnginePlatform services{platform.clock(),      desktop.accessibility(),
                            platform.workspace(),  desktop.statusBar(),
                            desktop.screens(),     desktop.screenCapture(),
                            desktop.inputEvents(), WorkRunner(WorkRunner::Mode::ThreadPool, &pool),
                            folder.path(),         desktop.appPreferences()};
    auto engine = std::make_unique<ClassicEngine>(std::move(services), SectionLayout());
    engine->setReorderEnabled(true);
    ASSERT_TRUE(driver.drive(engine->start(), seconds(30)));

    const quint64 icon =
        *desktop.items().find(desktop.applications().currentProcessId(), BarItems::zorvIconName);
    int hiddenInView = 0;
    for (int minute = 0; minute < 60; ++minute) {
        driver.run(seconds(60.0));
        EXPECT_TRUE(desktop.readout().entry(icon).value_or(BarEntry{}).visible)
            << "icon out of view at minute " << minute;
        EXPECT_EQ(engine->hidingBlocked(), std::nullopt) << "at minute " << minute;
        hiddenInView += engine->isRevealed() ? 0 : 1;
    }
    EXPECT_GT(hiddenInView, 50);

    QFile events(folder.filePath(u"events.jsonl"_s));
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
    engine.reset();
    driver.drain();
}

} // namespace
} // namespace zorv
