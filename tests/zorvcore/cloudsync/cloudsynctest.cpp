#include "cloudsync/cloudsync.h"
#include "cloud/simcloud.h"
#include "cloud/simcloudkeyvaluestore.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// One Mac: its key-value store, its CloudSync and the bundles reported to it.
struct Mac {
    Mac(SimCloud &cloud, const QString &name) : store(cloud, name), sync(store) {
        sync.setOnRemoteChange([this](const SyncedBundle &bundle) { received.append(bundle); });
        sync.start();
    }

    SimCloudKeyValueStore store;
    CloudSync sync;
    QList<SyncedBundle> received;
};

// A bundle made on `mac` at 09:00:`second` whose content is its auto-hide delay.
SyncedBundle bundle(const QString &mac, int second, double autoRehide) {
    Settings settings;
    settings.autoRehideSeconds = autoRehide;
    return SyncedBundle(QDateTime(QDate(2025, 3, 1), QTime(9, 0, second), Qt::UTC), u"id-"_s + mac,
                        mac, SyncedSettings(settings), SectionLayout(), ProfileSet(), TriggerSet());
}

void deliver() {
    QCoreApplication::processEvents();
}

// Two Macs signed in to one iCloud account.
class CloudSyncTest : public ::testing::Test {
protected:
    SimCloud cloud;
    Mac studio{cloud, u"Studio"_s};
    Mac laptop{cloud, u"Laptop"_s};
};

// A Mac that adopts what it receives pushes it back; unchanged content must write nothing, or two
// Macs would wake each other for ever.
TEST_F(CloudSyncTest, APushIsReportedOnlyOnTheOtherMacAndPushingItBackWritesNothing) {
    laptop.sync.setOnRemoteChange([this](const SyncedBundle &remote) {
        laptop.received.append(remote);
        laptop.sync.push(bundle(u"Laptop"_s, 30, remote.settings.autoRehideSeconds));
    });
    const SyncedBundle sent = bundle(u"Studio"_s, 5, 12.0);
    studio.sync.push(sent);
    for (int turn = 0; turn < 3; ++turn) {
        deliver();
    }
    EXPECT_EQ(laptop.received, QList{sent});
    EXPECT_TRUE(studio.received.isEmpty());
    EXPECT_EQ(cloud.writes().size(), 1);
    EXPECT_EQ(laptop.sync.pull(), sent);

    laptop.sync.push(bundle(u"Laptop"_s, 1, 13.0)); // older stamp, new content: written
    deliver();
    EXPECT_EQ(cloud.writes().size(), 2);
    EXPECT_EQ(studio.received.size(), 1);
}

TEST_F(CloudSyncTest, ACallbackMayReplaceItselfWhileItRuns) {
    const auto owners = std::make_shared<QList<long>>();
    laptop.sync.setOnRemoteChange([owners, &sync = laptop.sync](const SyncedBundle &) {
        const auto kept = owners;
        sync.setOnRemoteChange({});
        // The callback that runs is a copy, so its captures outlive the replacement: held here,
        // by the test and by that copy.
        kept->append(kept.use_count());
    });
    studio.sync.push(bundle(u"Studio"_s, 5, 12.0));
    deliver();
    EXPECT_EQ(*owners, QList<long>{3});
    EXPECT_FALSE(laptop.sync.onRemoteChange());
}

TEST_F(CloudSyncTest, UnreadableDataIsNeverReportedAndIsOverwritten) {
    studio.store.setData("not a bundle", CloudSync::storeKey);
    deliver();
    EXPECT_TRUE(laptop.received.isEmpty());
    EXPECT_EQ(laptop.sync.pull(), std::nullopt);
    laptop.sync.push(bundle(u"Laptop"_s, 1, 5.0));
    EXPECT_TRUE(laptop.sync.pull().has_value());
}

TEST_F(CloudSyncTest, IsUnavailableWithoutAnAccountOrAWorkingStore) {
    for (const auto &[signedIn, synchronizes] : {std::pair{false, true}, std::pair{true, false}}) {
        SimCloudKeyValueStore store(cloud, u"Mini"_s);
        store.setSignedIn(signedIn);
        store.setSynchronizeSucceeds(synchronizes);
        CloudSync sync(store);
        int reports = 0;
        sync.setOnRemoteChange([&reports](const SyncedBundle &) { ++reports; });
        sync.start();
        EXPECT_EQ(store.synchronizeCount(), 1) << "asked once, and never again while unavailable";
        EXPECT_FALSE(sync.isAvailable());
        studio.sync.push(bundle(u"Studio"_s, 1, signedIn ? 12.0 : 13.0));
        deliver();
        sync.push(bundle(u"Mini"_s, 3, 30.0));
        EXPECT_EQ(reports, 0);
        EXPECT_EQ(sync.pull(), std::nullopt);
    }
    EXPECT_EQ(cloud.writes().size(), 2);
}

TEST_F(CloudSyncTest, StartingTwiceReportsOnceAndStopEndsTheReports) {
    laptop.sync.start();
    studio.sync.push(bundle(u"Studio"_s, 5, 12.0));
    deliver();
    EXPECT_EQ(laptop.received.size(), 1);
    laptop.sync.stop();
    studio.sync.push(bundle(u"Studio"_s, 6, 13.0));
    deliver();
    EXPECT_EQ(laptop.received.size(), 1);
}

} // namespace
} // namespace zorv
