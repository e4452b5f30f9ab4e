#include "nudge/clickforwarder.h"
#include "coroutinetest.h"
#include "desktoptest.h"
#include "workrunner.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace zorv::testing {
namespace {

class ClickForwarderTest : public DesktopTest {};

TEST_F(ClickForwarderTest, RestsAtTheTopEdgeUntilAnAutoHiddenBarComesBack) {
    ScreenDescription laptop;
    laptop.autoHidesMenuBar = true;
    desktop.arrangement().add(laptop);
    const quint64 item = addItem(launch(u"com.example.tools"_s), 24.0, u"tools"_s);
    settle();
    ASSERT_FALSE(entry(item).visible);

    const MonotonicTime start = clock.now();
    auto nudge = [this] { ClickForwarder::nudgeMenuBarReveal(desktop.inputEvents(), clock, 500); };
    WorkRunner runner;
    runTask(runner.run(std::move(nudge)));
    settle();

    EXPECT_EQ(clock.now() - start, 1200ms);
    QList<QPointF> positions;
    for (const LoggedEvent &event : desktop.readout().events()) {
        EXPECT_EQ(event.origin, EventOrigin::Synthetic);
        EXPECT_EQ(event.type, EventType::MouseMoved);
        EXPECT_EQ(event.at - start, 60ms * positions.size());
        positions.append(event.location);
    }
    ASSERT_EQ(positions.size(), 20);
    EXPECT_EQ(positions.mid(0, 5),
              (QList<QPointF>{{500, 2}, {501, 0}, {502, 0}, {500, 0}, {501, 0}}));
    EXPECT_EQ(positions.last(), QPointF(501, 0)) << "19 mod 3 is 1";
    EXPECT_EQ(desktop.readout().cursor().location, positions.last()) << "left at the top edge";
    EXPECT_TRUE(entry(item).visible);
}

} // namespace
} // namespace zorv::testing
