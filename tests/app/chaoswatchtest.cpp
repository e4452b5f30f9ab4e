#include "chaos/chaoswatch.h"
#include "chaos/chaosplan.h"
#include "scenariomac.h"
#include "storage/zorvpaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <functional>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The same seed makes the same plan, so a failing seed replays exactly; another seed makes
// another.
TEST(ChaosPlanTest, aSeedAlwaysMakesTheSamePlan) {
    const ChaosPlan plan = ChaosPlan::generate(7, seconds(1800));
    EXPECT_EQ(ChaosPlan::generate(7, seconds(1800)).describe(), plan.describe());
    EXPECT_NE(ChaosPlan::generate(8, seconds(1800)).describe(), plan.describe());
    EXPECT_GT(plan.scenario.events.size(), 50);
    EXPECT_GT(plan.steps.size(), 10);
    // The rarest happening comes in a long plan, unless it is left out.
    EXPECT_TRUE(
        ChaosPlan::generate(7, seconds(36000)).describe().contains(u"moveZorvIconToLeftEnd"_s));
    EXPECT_FALSE(ChaosPlan::generate(7, seconds(36000), {u"iconToLeftEnd"_s})
                     .describe()
                     .contains(u"moveZorvIconToLeftEnd"_s));
}

// Each invariant's watch notices the breach it is there for: a watch that cannot fail would
// let every chaos run pass.
TEST(ChaosWatchTest, noticesEveryKindOfBreach) {
    const struct {
        const char *name;
        std::function<void(SimulatedMac &)> sabotage;
        const char *noticed;
    } cases[] = {
        {"cursor left detached",
         [](SimulatedMac &mac) {
             mac.platform.desktop().inputEvents().associateMouseAndCursor(false);
         },
         "detached from the mouse"},
        {"cursor left hidden",
         [](SimulatedMac &mac) {
             InputEvents &input = mac.platform.desktop().inputEvents();
             input.hideCursor(input.mainDisplayId());
         },
         "the cursor is hidden"},
        {"drag under the user's hands",
         [](SimulatedMac &mac) {
             SimulatedDesktop &desktop = mac.platform.desktop();
             desktop.userInput().click(QPointF(700, 600));
             mac.driver.run(seconds(0.5));
             auto source =
                 desktop.inputEvents().createEventSource(EventSourceState::CombinedSession);
             (void)source->post(MouseEvent{EventType::LeftMouseDown, QPointF(1200, 12),
                                           MouseButton::Left, EventFlags::command, 1});
             (void)source->post(MouseEvent{EventType::LeftMouseUp, QPointF(1200, 12),
                                           MouseButton::Left, EventFlags::command, 1});
         },
         "began a drag 0.50 s after"},
        {"item lost from the wanted layout",
         [](SimulatedMac &mac) {
             SectionLayout layout = mac.app.model()->layoutOrder();
             for (Section lane : allSections) {
                 QList<MenuBarItemID> ids = layout.ids(lane);
                 if (!ids.isEmpty()) {
                     ids.removeFirst();
                     layout.sections.insert(lane, ids);
                     break;
                 }
             }
             mac.app.model()->setLayoutOrder(layout);
         },
         "left the wanted layout"},
        {"store file gone",
         [](SimulatedMac &) { QFile::remove(ZorvPaths::file(u"layout.json"_s)); },
         "layout.json is gone"},
        {"store file cut short",
         [](SimulatedMac &) {
             QFile file(ZorvPaths::file(u"layout.json"_s));
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("[{\"section\": ");
         },
         "layout.json cannot be read"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(ZorvPaths::root()).removeRecursively();
        SimulatedMac mac(ChaosPlan::generate(1, seconds(0)).scenario);
        ASSERT_TRUE(mac.app.start());
        // The poll's first scans adopt every item within the first minute.
        mac.driver.run(seconds(70));
        ASSERT_FALSE(mac.app.model()->layoutOrder().ids(Section::shown).isEmpty());
        ChaosWatch watch(mac.platform.desktop(), *mac.app.engine(), *mac.app.model(), mac.clock);
        QObject::connect(mac.app.model(), &AppModel::layoutOrderChanged, mac.app.model(),
                         [&watch] { watch.layoutChanged(); });
        watch.checkTick();
        watch.checkHands();
        watch.checkStores();
        ASSERT_EQ(watch.breachCount(), 0) << watch.breaches().join(u'\n').toStdString();
        ASSERT_FALSE(mac.app.engine()->reconcileInFlight());

        c.sabotage(mac);
        watch.checkTick();
        watch.checkHands();
        watch.checkStores();
        EXPECT_TRUE(watch.breaches().join(u'\n').contains(QString::fromLatin1(c.noticed)))
            << watch.breaches().join(u'\n').toStdString();
        (void)mac.app.finish();
        mac.driver.drain();
    }
}

} // namespace
} // namespace zorv
