#include "desktopapp.h"
#include "enginesections.h"
#include "manualclock.h"
#include "scenario/scenarioloader.h"
#include "simulatedplatform.h"
#include "workerclockdriver.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// How long a state that must not last may be seen at a stretch: the watchdog needs two ticks, a
// retuck waits for a stable scan, and a screen change for the bar to settle.
constexpr int kIconGraceSeconds = 5;
constexpr int kPeekGraceSeconds = 75;

class ScenarioHourTest : public ::testing::TestWithParam<const char *> {};

// Each shipped scenario runs for a simulated hour with the engine; second by second, what must
// always hold does.
TEST_P(ScenarioHourTest, keepsTheBarInOrderForAnHour) {
    const Scenario scenario = ScenarioLoader::load(QString::fromLatin1(GetParam()));
    ManualClock clock(scenario.start.value_or(QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC)));
    SimulatedPlatform platform(clock, scenario, false);
    QThreadPool pool;
    WorkerClockDriver driver(clock);
    platform.start();
    std::unique_ptr<ClassicEngine> engine = DesktopApp::createEngine(platform, pool);
    ASSERT_TRUE(driver.drive(engine->start(), seconds(30)));
    SimulatedDesktop &desktop = platform.desktop();
    // Only a drag can bring back an icon the system put past the screen's edge at launch (a
    // crowded bar without a remembered position): the engine's reconcile pass does that, and
    // until it does the watchdog's reveals are all the engine can try.
    const auto zorvIcon =
        desktop.items().find(desktop.applications().currentProcessId(), BarItems::zorvIconName);
    const bool iconSeatedAtLaunch =
        zorvIcon && desktop.readout().entry(*zorvIcon).value_or(BarEntry{}).onScreen;

    int iconOff = 0;
    int peeking = 0;
    QHash<QString, qsizetype> engineCounts;
    for (int second = 0; second < 3600; ++second) {
        driver.run(seconds(1.0));
        const QList<BarEntry> bar = desktop.readout().bar();

        bool iconOnScreen = false;
        QHash<QString, qsizetype> barNow;
        for (const BarEntry &entry : bar) {
            if (entry.bundleIdentifier == SimulatedPlatform::bundleIdentifier) {
                iconOnScreen = iconOnScreen ||
                               (entry.autosaveName == BarItems::zorvIconName && entry.onScreen);
            } else if (entry.bundleIdentifier) {
                ++barNow[*entry.bundleIdentifier];
            }
        }
        iconOff = iconOnScreen || !iconSeatedAtLaunch ? 0 : iconOff + 1;
        ASSERT_LE(iconOff, kIconGraceSeconds) << "Zorv's icon off screen at " << second << " s";

        bool hiddenInView = false;
        if (!engine->isRevealed() && !engine->hidingBlocked()) {
            const QHash<quint64, Section> sections = EngineSections::of(bar, engine->lastItems());
            for (const BarEntry &entry : bar) {
                const Section section = sections.value(entry.itemId, Section::shown);
                hiddenInView = hiddenInView || (section != Section::shown && entry.onScreen);
            }
        }
        peeking = hiddenInView ? peeking + 1 : 0;
        ASSERT_LE(peeking, kPeekGraceSeconds) << "hidden items in view at " << second << " s";

        // An application whose items stand on the bar never vanishes from the engine's list.
        QHash<QString, qsizetype> engineNow;
        for (const MenuBarItem &item : engine->lastItems()) {
            if (!item.isDormant) {
                ++engineNow[item.id.bundleID];
            }
        }
        for (auto count = engineCounts.constBegin(); count != engineCounts.constEnd(); ++count) {
            EXPECT_FALSE(engineNow.value(count.key()) == 0 && barNow.value(count.key()) > 0)
                << count.key().toStdString() << " lost from the engine's list at " << second
                << " s";
        }
        engineCounts = engineNow;
    }

    // Every lane ends in the order the engine keeps for it.
    const QList<BarEntry> bar = desktop.readout().bar();
    const QHash<quint64, MenuBarItem> matched = EngineSections::items(bar, engine->lastItems());
    const SectionLayout &stored = engine->storedLayout();
    for (const Section lane : allSections) {
        QList<MenuBarItemID> onBar;
        for (const BarEntry &entry : bar) {
            const auto item = matched.constFind(entry.itemId);
            if (item != matched.cend() && entry.frame.width() > 0.0 &&
                stored.sectionOf(item->id) == lane) {
                onBar.append(item->id);
            }
        }
        QList<MenuBarItemID> wanted = stored.ids(lane);
        wanted.removeIf([&onBar](const MenuBarItemID &id) { return !onBar.contains(id); });
        EXPECT_EQ(onBar, wanted) << rawValue(lane).toStdString();
    }

    const CursorState cursor = desktop.readout().cursor();
    EXPECT_TRUE(cursor.mouseAssociated);
    for (const int hides : cursor.hideCounts) {
        EXPECT_EQ(hides, 0);
    }
    engine.reset();
    driver.drain();
}

INSTANTIATE_TEST_SUITE_P(Shipped, ScenarioHourTest,
                         ::testing::Values("laptop", "dual-displays", "crowded-bar", "first-run",
                                           "crowded-first-launch"),
                         [](const auto &info) {
                             QString name = QString::fromLatin1(info.param);
                             return name.remove(u'-').toStdString();
                         });

} // namespace
} // namespace zorv
