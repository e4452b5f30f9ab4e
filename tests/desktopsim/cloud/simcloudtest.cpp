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
    void deliver() { QCoreApplication::processEvents(); }

    SimCloud cloud;
    SimCloudKeyValueStore studio{cloud, u"Studio"_s};
    SimCloudKeyValueStore laptop{cloud, u"Laptop"_s};
    QSignalSpy studioChanges{&studio, &CloudKeyValueStore::changedExternally};
    QSignalSpy laptopChanges{&laptop, &CloudKeyValueStore::changedExternally};
};

TEST_F(SimCloudTest, AWriteReachesTheOtherMacAndNotifiesOnlyIt) {
    studio.setData("one", kKey);
    EXPECT_EQ(studio.data(kKey), QByteArray("one"));
    EXPECT_EQ(cloud.data(kKey), QByteArray("one"));
    // Delivery takes a turn of the event loop, as the real notification does.
    EXPECT_FALSE(laptop.data(kKey).has_value());
    EXPECT_EQ(laptopChanges.count(), 0);

    deliver();
    EXPECT_EQ(laptop.data(kKey), QByteArray("one"));
    EXPECT_EQ(laptopChanges.count(), 1);
    EXPECT_EQ(studioChanges.count(), 0);

    laptop.removeObject(kKey);
    deliver();
    EXPECT_FALSE(studio.data(kKey).has_value());
    EXPECT_EQ(studioChanges.count(), 1);
    EXPECT_EQ(laptopChanges.count(), 1);
    EXPECT_EQ(cloud.writes(), (QList<SimCloudWrite>{{u"Studio"_s, kKey, QByteArray("one")},
                                                    {u"Laptop"_s, kKey, std::nullopt}}));
}

TEST_F(SimCloudTest, WritesOfOneKeyBeforeDeliveryArriveTogether) {
    studio.setData("one", kKey);
    studio.setData("two", kKey);
    deliver();
    EXPECT_EQ(laptop.data(kKey), QByteArray("two"));
    EXPECT_EQ(laptopChanges.count(), 1);
    EXPECT_EQ(cloud.writes().size(), 2);
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

TEST_F(SimCloudTest, AMacWithoutAnAccountNeitherSendsNorReceives) {
    laptop.setSignedIn(false);
    EXPECT_FALSE(laptop.hasIdentityToken());
    laptop.setData("local", kKey);
    studio.setData("shared", kKey);
    deliver();
    EXPECT_EQ(laptop.data(kKey), QByteArray("local"));
    EXPECT_EQ(laptopChanges.count(), 0);
    EXPECT_EQ(studio.data(kKey), QByteArray("shared"));
    EXPECT_EQ(cloud.writes().size(), 1);
}

TEST_F(SimCloudTest, ANewMacStartsWithTheAccountsContent) {
    studio.setData("one", kKey);
    SimCloudKeyValueStore third(cloud, u"Mini"_s);
    EXPECT_EQ(third.data(kKey), QByteArray("one"));
}

TEST_F(SimCloudTest, SynchronizeReportsTheScriptedResult) {
    EXPECT_TRUE(studio.synchronize());
    studio.setSynchronizeSucceeds(false);
    EXPECT_FALSE(studio.synchronize());
    EXPECT_EQ(studio.synchronizeCount(), 2);
}

TEST_F(SimCloudTest, AMacClosedBeforeDeliveryIsSkipped) {
    auto mini = std::make_unique<SimCloudKeyValueStore>(cloud, u"Mini"_s);
    studio.setData("one", kKey);
    mini.reset();
    deliver();
    EXPECT_EQ(laptop.data(kKey), QByteArray("one"));
}

} // namespace
} // namespace zorv
