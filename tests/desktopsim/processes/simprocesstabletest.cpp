#include "processes/simprocesstable.h"

#include <QDateTime>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QDateTime utc(qint64 msecs) {
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
}

TEST(SimProcessTable, ListsEveryUsersProcessesWithTheirStartTimes) {
    SimProcessTable table;
    ASSERT_EQ(table.currentUserId(), 501u);
    const qint32 mine = table.logIn(501, utc(1'700'000'000'123));
    const qint32 theirs = table.logIn(502, utc(1'700'000'100'000));
    const qint32 other = table.start(501, u"Finder"_s, utc(1'700'000'000'500));

    const auto processes = table.processes();
    ASSERT_TRUE(processes.has_value());
    ASSERT_EQ(processes->size(), 3);
    EXPECT_EQ(processes->at(0),
              (ProcessRecord{mine, 501, u"loginwindow"_s, 1'700'000'000, 123'000}));
    EXPECT_EQ(processes->at(1), (ProcessRecord{theirs, 502, u"loginwindow"_s, 1'700'000'100, 0}));
    EXPECT_EQ(processes->at(2).processId, other);
    EXPECT_EQ(processes->at(2).command, u"Finder"_s);
    EXPECT_NE(mine, theirs);
}

TEST(SimProcessTable, SplitsStartTimesBefore1970IntoPositiveMicroseconds) {
    SimProcessTable table;
    table.start(0, u"launchd"_s, utc(-1'500));
    const ProcessRecord record = table.processes()->constFirst();
    EXPECT_EQ(record.startSeconds, -2);
    EXPECT_EQ(record.startMicroseconds, 500'000);
}

TEST(SimProcessTable, EndedProcessesAndAnUnreadableTableDisappear) {
    SimProcessTable table(600);
    const qint32 session = table.logIn(600, utc(0));
    EXPECT_TRUE(table.end(session));
    EXPECT_FALSE(table.end(session));
    EXPECT_TRUE(table.processes()->isEmpty());

    table.logIn(600, utc(1'000));
    table.setUnreadable(true);
    EXPECT_FALSE(table.processes().has_value());
    table.setUnreadable(false);
    EXPECT_EQ(table.processes()->size(), 1);
}

} // namespace
} // namespace zorv
