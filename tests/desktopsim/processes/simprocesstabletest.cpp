#include "processes/simprocesstable.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST(SimProcessTable, ListsEveryUsersProcessesUntilEndedOrUnreadable) {
    SimProcessTable table;
    const qint32 mine = table.logIn(501, QDateTime::fromMSecsSinceEpoch(1'700'000'000'123));
    table.logIn(502, QDateTime::fromMSecsSinceEpoch(-1'500));
    ASSERT_EQ(table.processes()->size(), 2);
    EXPECT_EQ(table.processes()->at(0),
              (ProcessRecord{mine, 501, u"loginwindow"_s, 1'700'000'000, 123'000}));
    // Before 1970 the microseconds stay positive, as in a timeval.
    EXPECT_EQ(table.processes()->at(1).startSeconds, -2);
    EXPECT_EQ(table.processes()->at(1).startMicroseconds, 500'000);

    EXPECT_TRUE(table.end(mine));
    EXPECT_EQ(table.processes()->size(), 1);
    table.setUnreadable(true);
    EXPECT_FALSE(table.processes().has_value());
}

} // namespace
} // namespace zorv
