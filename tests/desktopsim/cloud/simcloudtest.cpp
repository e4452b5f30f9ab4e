#include "cloud/simcloud.h"
#include "cloud/simcloudkeyvaluestore.h"

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

} // namespace
} // namespace zorv
