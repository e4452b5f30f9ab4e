#include "cloudsync/cloudsync.h"
#include "cloud/simcloud.h"
#include "cloud/simcloudkeyvaluestore.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

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

MenuBarItemID item(const QString &bundleID) {
    return MenuBarItemID{bundleID, std::nullopt, std::nullopt, 0};
}

// A bundle made on `mac` at 09:00:`second`, with its auto-hide delay and one placed item.
SyncedBundle bundle(const QString &mac, int second, double autoRehide, Section section,
                    const QString &bundleID) {
    Settings settings;
    settings.autoRehideSeconds = autoRehide;
    SectionLayout layout;
    layout.sections.insert(section, {item(bundleID)});
    return SyncedBundle(QDateTime(QDate(2025, 3, 1), QTime(9, 0, second), Qt::UTC), u"id-"_s + mac,
                        mac, SyncedSettings(settings), layout.normalized(), ProfileSet(),
                        TriggerSet());
}

// Two Macs signed in to one iCloud account.
class CloudSyncTest : public ::testing::Test {
protected:
    static void deliver() { QCoreApplication::processEvents(); }

    SimCloud cloud;
    Mac studio{cloud, u"Studio"_s};
    Mac laptop{cloud, u"Laptop"_s};
};

TEST_F(CloudSyncTest, APushIsReportedOnlyOnTheOtherMac) {
    const SyncedBundle sent = bundle(u"Studio"_s, 5, 12.0, Section::hidden, u"com.a"_s);
    studio.sync.push(sent);
    deliver();
    EXPECT_EQ(laptop.received, QList{sent});
    EXPECT_TRUE(studio.received.isEmpty());
    EXPECT_EQ(laptop.sync.pull(), sent);
}

// Pushing back what was just adopted must not wake the other Mac, or two Macs would ping-pong.
TEST_F(CloudSyncTest, APushOfUnchangedContentWritesNothing) {
    studio.sync.push(bundle(u"Studio"_s, 5, 12.0, Section::hidden, u"com.a"_s));
    deliver();
    laptop.sync.push(bundle(u"Laptop"_s, 30, 12.0, Section::hidden, u"com.a"_s));
    deliver();
    EXPECT_EQ(cloud.writes().size(), 1);
    EXPECT_TRUE(studio.received.isEmpty());
    EXPECT_EQ(laptop.sync.pull()->deviceName, u"Studio"_s);

    // Any change of content is written, whatever the stamps say.
    laptop.sync.push(bundle(u"Laptop"_s, 1, 12.0, Section::shown, u"com.a"_s));
    EXPECT_EQ(cloud.writes().size(), 2);
}

// Each Mac merges what it pulls or receives into its own bundle and pushes the result: the newer
// settings win, both layouts survive, and the exchange stops once both hold the same content.
TEST_F(CloudSyncTest, TwoMacsMergeOnPullAndSettleWithoutALoop) {
    const auto adoptAndPush = [](Mac &mac, SyncedBundle local) {
        mac.sync.setOnRemoteChange([&mac, local](const SyncedBundle &remote) mutable {
            mac.received.append(remote);
            local = local.merging(remote);
            mac.sync.push(local);
        });
        if (const auto remote = mac.sync.pull()) {
            local = local.merging(*remote);
        }
        mac.sync.push(local);
    };
    adoptAndPush(laptop, bundle(u"Laptop"_s, 1, 5.0, Section::hidden, u"com.old"_s));
    deliver();
    adoptAndPush(studio, bundle(u"Studio"_s, 9, 20.0, Section::shown, u"com.new"_s));
    for (int turn = 0; turn < 5; ++turn) {
        deliver();
    }

    EXPECT_EQ(cloud.writes().size(), 2);
    EXPECT_EQ(laptop.received.size(), 1);
    const auto settled = laptop.sync.pull();
    ASSERT_TRUE(settled.has_value());
    EXPECT_EQ(settled->settings.autoRehideSeconds, 20.0);
    EXPECT_EQ(settled->layout.ids(Section::shown), QList{item(u"com.new"_s)});
    EXPECT_EQ(settled->layout.ids(Section::hidden), QList{item(u"com.old"_s)});
}

TEST_F(CloudSyncTest, UnreadableDataIsNeverReportedAndIsOverwritten) {
    studio.store.setData("not a bundle", CloudSync::storeKey);
    deliver();
    EXPECT_TRUE(laptop.received.isEmpty());
    EXPECT_EQ(laptop.sync.pull(), std::nullopt);
    laptop.sync.push(bundle(u"Laptop"_s, 1, 5.0, Section::hidden, u"com.a"_s));
    EXPECT_TRUE(laptop.sync.pull().has_value());
}

TEST_F(CloudSyncTest, IsAvailableOnlyWithAnAccountAndAWorkingStore) {
    for (const auto &[signedIn, synchronizes] : {std::pair{false, true}, std::pair{true, false}}) {
        SimCloudKeyValueStore store(cloud, u"Mini"_s);
        store.setSignedIn(signedIn);
        store.setSynchronizeSucceeds(synchronizes);
        CloudSync sync(store);
        int reports = 0;
        sync.setOnRemoteChange([&reports](const SyncedBundle &) { ++reports; });
        sync.start();
        // Asked once either way, and never again while unavailable.
        EXPECT_EQ(store.synchronizeCount(), 1);
        EXPECT_FALSE(sync.isAvailable());

        studio.sync.push(bundle(u"Studio"_s, 1, signedIn ? 12.0 : 13.0, Section::hidden, u"com"_s));
        deliver();
        sync.push(bundle(u"Mini"_s, 3, 30.0, Section::shown, u"com.b"_s));
        EXPECT_EQ(reports, 0);
        EXPECT_EQ(sync.pull(), std::nullopt);
    }
    EXPECT_EQ(cloud.writes().size(), 2);
}

TEST_F(CloudSyncTest, StartingTwiceObservesOnceAndStopEndsTheReports) {
    laptop.sync.start();
    EXPECT_EQ(laptop.store.synchronizeCount(), 2);
    studio.sync.push(bundle(u"Studio"_s, 5, 12.0, Section::hidden, u"com.a"_s));
    deliver();
    EXPECT_EQ(laptop.received.size(), 1);

    laptop.sync.stop();
    studio.sync.push(bundle(u"Studio"_s, 6, 13.0, Section::hidden, u"com.a"_s));
    deliver();
    EXPECT_EQ(laptop.received.size(), 1);
}

} // namespace
} // namespace zorv
