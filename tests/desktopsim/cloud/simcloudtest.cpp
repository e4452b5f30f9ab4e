#include "cloud/simcloud.h"
#include "cloud/simcloudkeyvaluestore.h"
#include "systemlog/simsystemlog.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString kKey = u"zorv.settings.v1"_s;

// Two Macs signed in to one iCloud account.
class SimCloudTest : public ::testing::Test {
protected:
    static void deliver() { QCoreApplication::processEvents(); }

    SimCloud cloud;
    SimCloudKeyValueStore studio{cloud, u"Studio"_s};
    SimCloudKeyValueStore laptop{cloud, u"Laptop"_s};
    QSignalSpy studioChanges{&studio, &CloudKeyValueStore::changedExternally};
    QSignalSpy laptopChanges{&laptop, &CloudKeyValueStore::changedExternally};
};

TEST_F(SimCloudTest, AWriteReachesTheOtherMacOnTheNextTurnAndNotifiesOnlyIt) {
    studio.setData("one", kKey);
    EXPECT_FALSE(laptop.data(kKey).has_value());
    deliver();
    EXPECT_EQ(laptop.data(kKey), QByteArray("one"));
    EXPECT_EQ(laptopChanges.count(), 1);

    laptop.removeObject(kKey);
    deliver();
    EXPECT_FALSE(studio.data(kKey).has_value());
    EXPECT_EQ(studioChanges.count(), 1);
    EXPECT_EQ(laptopChanges.count(), 1);
    EXPECT_EQ(cloud.writes(), (QList<SimCloudWrite>{{u"Studio"_s, kKey, QByteArray("one")},
                                                    {u"Laptop"_s, kKey, std::nullopt}}));
}

// The later write wins everywhere; the Mac that made it is not told about the one it overtook.
TEST_F(SimCloudTest, AnOvertakenWriteDoesNotReplaceTheNewerLocalOne) {
    studio.setData("studio", kKey);
    laptop.setData("laptop", kKey);
    deliver();
    EXPECT_EQ(laptop.data(kKey), QByteArray("laptop"));
    EXPECT_EQ(laptopChanges.count(), 0);
    EXPECT_EQ(studio.data(kKey), QByteArray("laptop"));
    EXPECT_EQ(studioChanges.count(), 1);
}

// A Mac that runs for weeks keeps only the latest writes and the count of all of them; the same
// for the lines of its system log.
TEST_F(SimCloudTest, KeepsOnlyTheLatestWritesAndLogLines) {
    const qsizetype written = SimCloud::writesKept + 5;
    for (qsizetype i = 0; i < written; ++i) {
        studio.setData(QByteArray::number(i), kKey);
    }
    EXPECT_EQ(cloud.writes().size(), SimCloud::writesKept);
    EXPECT_EQ(cloud.writeCount(), written);
    EXPECT_EQ(cloud.writes().first().data, QByteArray("5"));
    EXPECT_EQ(cloud.writes().last().data, QByteArray::number(written - 1));

    SimSystemLog log;
    for (qsizetype i = 0; i < SimSystemLog::linesKept + 3; ++i) {
        log.write(QString::number(i));
    }
    const QStringList lines = log.lines();
    EXPECT_EQ(lines.size(), SimSystemLog::linesKept);
    EXPECT_EQ(lines.first(), u"3"_s);
    EXPECT_EQ(lines.last(), QString::number(SimSystemLog::linesKept + 2));
}

} // namespace
} // namespace zorv
