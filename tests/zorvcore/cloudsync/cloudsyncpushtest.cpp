#include "cloudsynctestfixture.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST_F(CloudSyncTest, APushReachesOnlyTheOtherMac) {
    studio->sync.start();
    laptop->sync.start();
    const SyncedBundle sent = bundle(u"Studio"_s, 5, 12.0, Section::hidden, u"com.a"_s);
    studio->sync.push(sent);
    deliver();

    ASSERT_EQ(laptop->received.size(), 1);
    EXPECT_EQ(laptop->received.first(), sent);
    EXPECT_TRUE(studio->received.isEmpty());
    EXPECT_EQ(studio->sync.pull(), sent);
    EXPECT_EQ(laptop->sync.pull(), sent);
}

// Pushing back what was just adopted must not wake the other Mac, or two Macs would ping-pong.
TEST_F(CloudSyncTest, APushOfUnchangedContentWritesNothing) {
    studio->sync.start();
    laptop->sync.start();
    studio->sync.push(bundle(u"Studio"_s, 5, 12.0, Section::hidden, u"com.a"_s));
    deliver();

    laptop->sync.push(bundle(u"Laptop"_s, 30, 12.0, Section::hidden, u"com.a"_s));
    deliver();
    EXPECT_EQ(cloud.writes().size(), 1);
    EXPECT_TRUE(studio->received.isEmpty());
    const auto remote = laptop->sync.pull();
    ASSERT_TRUE(remote.has_value());
    EXPECT_EQ(remote->deviceName, u"Studio"_s);
    EXPECT_EQ(remote->updatedAt.time(), QTime(9, 0, 5));

    // Any difference in content is written, whatever the stamps say.
    laptop->sync.push(bundle(u"Laptop"_s, 1, 12.0, Section::shown, u"com.a"_s));
    deliver();
    EXPECT_EQ(cloud.writes().size(), 2);
    EXPECT_EQ(studio->received.size(), 1);
}

// Each Mac merges what arrives into its own bundle and pushes the result: the newer settings
// win, both layouts survive, and the exchange stops once both hold the same content.
TEST_F(CloudSyncTest, TwoMacsMergeAndSettleWithoutALoop) {
    const auto adoptAndPush = [](SyncedMac &mac, SyncedBundle local) {
        mac.sync.setOnRemoteChange([&mac, local](const SyncedBundle &remote) mutable {
            mac.received.append(remote);
            local = local.merging(remote);
            mac.sync.push(local);
        });
        mac.sync.start();
        if (const auto remote = mac.sync.pull()) {
            local = local.merging(*remote);
        }
        mac.sync.push(local);
    };
    adoptAndPush(*laptop, bundle(u"Laptop"_s, 1, 5.0, Section::hidden, u"com.old"_s));
    deliver();
    adoptAndPush(*studio, bundle(u"Studio"_s, 9, 20.0, Section::shown, u"com.new"_s));
    for (int turn = 0; turn < 5; ++turn) {
        deliver();
    }

    EXPECT_EQ(cloud.writes().size(), 2);
    EXPECT_TRUE(studio->received.isEmpty());
    ASSERT_EQ(laptop->received.size(), 1);
    const auto settled = laptop->sync.pull();
    ASSERT_TRUE(settled.has_value());
    EXPECT_EQ(settled->deviceName, u"Studio"_s);
    EXPECT_EQ(settled->settings.autoRehideSeconds, 20.0);
    EXPECT_EQ(settled->layout.ids(Section::shown), QList{item(u"com.new"_s)});
    EXPECT_EQ(settled->layout.ids(Section::hidden), QList{item(u"com.old"_s)});
}

TEST_F(CloudSyncTest, UnreadableDataIsOverwrittenAndNeverReported) {
    laptop->sync.start();
    studio->store.setData("not a bundle", CloudSync::storeKey);
    deliver();
    EXPECT_TRUE(laptop->received.isEmpty());
    EXPECT_EQ(laptop->sync.pull(), std::nullopt);

    laptop->sync.push(bundle(u"Laptop"_s, 1, 5.0, Section::hidden, u"com.a"_s));
    EXPECT_TRUE(laptop->sync.pull().has_value());
    EXPECT_EQ(cloud.writes().size(), 2);
}

TEST_F(CloudSyncTest, ABundleThatCannotBeEncodedLeavesTheStoredOne) {
    const SyncedBundle stored = bundle(u"Studio"_s, 5, 12.0, Section::hidden, u"com.a"_s);
    studio->sync.push(stored);
    studio->sync.push(bundle(u"Studio"_s, 6, std::nan(""), Section::hidden, u"com.a"_s));
    EXPECT_EQ(studio->sync.pull(), stored);
    EXPECT_EQ(cloud.writes().size(), 1);
}

TEST_F(CloudSyncTest, AfterClearingTheNextPushWritesUnconditionally) {
    laptop->sync.start();
    const SyncedBundle sent = bundle(u"Studio"_s, 5, 12.0, Section::hidden, u"com.a"_s);
    studio->sync.push(sent);
    deliver();
    studio->sync.clearRemote();
    deliver();
    EXPECT_EQ(studio->sync.pull(), std::nullopt);
    EXPECT_EQ(laptop->sync.pull(), std::nullopt);
    EXPECT_EQ(laptop->received.size(), 1);

    studio->sync.push(sent);
    EXPECT_EQ(cloud.writes().size(), 3);
    EXPECT_EQ(studio->store.synchronizeCount(), 1 + 3);
}

} // namespace
} // namespace zorv
