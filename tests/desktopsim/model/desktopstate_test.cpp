#include "accessibility/axelementtable.h"
#include "model/desktopstate.h"

#include <gtest/gtest.h>

namespace zorv {
namespace {

ItemRecord itemOf(quint64 id, qint32 owner) {
    ItemRecord item;
    item.id = id;
    item.ownerProcessId = owner;
    return item;
}

// Applications are found by process id whichever have quit, and a change through the found
// record never reaches a copy of the list taken before.
TEST(DesktopStateTest, FindsApplicationsByProcessIdAfterOthersQuit) {
    DesktopState state;
    for (qint32 processId = 400; processId < 410; ++processId) {
        AppRecord app;
        app.processId = processId;
        state.apps.append(app);
    }
    state.apps.removeIf([](const AppRecord &app) { return app.processId % 3 == 0; });
    for (qint32 processId = 398; processId < 412; ++processId) {
        const AppRecord *found = std::as_const(state).app(processId);
        const bool running = processId >= 400 && processId < 410 && processId % 3 != 0;
        EXPECT_EQ(found != nullptr, running) << processId;
        EXPECT_TRUE(!found || found->processId == processId) << processId;
    }
    const QList<AppRecord> before = state.apps;
    state.app(404)->menusWidth = 300.0;
    EXPECT_EQ(state.app(404)->menusWidth, 300.0);
    EXPECT_EQ(before.at(3).menusWidth, 0.0);
}

TEST(DesktopStateTest, KeepsEachProcessItemsAsItemsComeAndGo) {
    DesktopState state;
    state.addItem(itemOf(1, 400));
    state.addItem(itemOf(2, 401));
    state.addItem(itemOf(3, 400));
    state.addItem(itemOf(4, 400));
    EXPECT_TRUE(state.removeItem(3));
    EXPECT_FALSE(state.removeItem(3)) << "an item goes once";
    EXPECT_TRUE(state.removeItem(2));
    EXPECT_EQ(state.itemsByOwner.value(400), (QList<quint64>{1, 4}));
    EXPECT_FALSE(state.itemsByOwner.contains(401)) << "nothing kept for a process without items";
    EXPECT_EQ(state.items.size(), 2u);
    EXPECT_EQ(state.item(4)->ownerProcessId, 400);
}

TEST(ScreenBarTest, FindsEachLaidOutItemAtItsLeftmostPlace) {
    const ScreenBar bar = ScreenBar::of(
        1, {{7, QRectF(0, 0, 10, 24)}, {9, QRectF(10, 0, 10, 24)}, {7, QRectF(20, 0, 10, 24)}});
    EXPECT_EQ(bar.find(9)->frame.left(), 10.0);
    EXPECT_EQ(bar.find(7)->frame.left(), 0.0);
    EXPECT_FALSE(bar.find(8));
    EXPECT_EQ(bar, ScreenBar::of(1, bar.items));
    EXPECT_FALSE(bar == ScreenBar::of(2, bar.items));
}

// An element given a time-out again holds one entry, now the newest: it keeps its time-out
// until as many others as the capacity allows have come after it.
TEST(AXElementTableTest, ATimeOutSetAgainCountsFromItsLastSetting) {
    AXElementTable table;
    const AXElement kept = table.applicationElement(400);
    table.setTimeout(kept, 0.5);
    table.setTimeout(kept, 0.75);
    for (std::size_t i = 1; i < AXElementTable::timeoutCapacity; ++i) {
        table.setTimeout(table.applicationElement(400), 0.25);
    }
    EXPECT_EQ(table.timeout(kept), 0.75);
    table.setTimeout(table.applicationElement(400), 0.25);
    EXPECT_NE(table.timeout(kept), 0.75) << "the oldest falls back to the default";
}

} // namespace
} // namespace zorv
