#include "cloudsynctestfixture.h"

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST_F(CloudSyncTest, IsAvailableOnlyWithAnAccountAndAWorkingStore) {
    const struct {
        bool signedIn;
        bool synchronizes;
        bool available;
    } cases[] = {{true, true, true}, {false, true, false}, {true, false, false}};
    for (const auto &c : cases) {
        SimCloudKeyValueStore store(cloud, u"Mini"_s);
        store.setSignedIn(c.signedIn);
        store.setSynchronizeSucceeds(c.synchronizes);
        const CloudSync sync(store);
        EXPECT_EQ(sync.isAvailable(), c.available) << c.signedIn << c.synchronizes;
        // The store is asked once either way.
        EXPECT_EQ(store.synchronizeCount(), 1);
    }
}

TEST_F(CloudSyncTest, AnUnavailableStoreIsNeverReadWrittenOrObserved) {
    SimCloudKeyValueStore store(cloud, u"Mini"_s);
    store.setSynchronizeSucceeds(false);
    CloudSync sync(store);
    int reports = 0;
    sync.setOnRemoteChange([&reports](const SyncedBundle &) { ++reports; });
    sync.start();
    EXPECT_EQ(store.synchronizeCount(), 1);

    studio->sync.push(bundle(u"Studio"_s, 5, 12.0, Section::hidden, u"com.a"_s));
    deliver();
    EXPECT_EQ(reports, 0);
    EXPECT_TRUE(store.data(CloudSync::storeKey).has_value());
    EXPECT_EQ(sync.pull(), std::nullopt);

    sync.push(bundle(u"Mini"_s, 6, 30.0, Section::shown, u"com.b"_s));
    sync.clearRemote();
    EXPECT_EQ(cloud.writes().size(), 1);
}

TEST_F(CloudSyncTest, StartingTwiceObservesOnceAndStopEndsTheReports) {
    laptop->sync.start();
    laptop->sync.start();
    EXPECT_EQ(laptop->store.synchronizeCount(), 2);
    studio->sync.push(bundle(u"Studio"_s, 5, 12.0, Section::hidden, u"com.a"_s));
    deliver();
    EXPECT_EQ(laptop->received.size(), 1);

    laptop->sync.stop();
    studio->sync.push(bundle(u"Studio"_s, 6, 13.0, Section::hidden, u"com.a"_s));
    deliver();
    EXPECT_EQ(laptop->received.size(), 1);
    EXPECT_TRUE(laptop->sync.onRemoteChange());

    laptop->sync.start();
    EXPECT_EQ(laptop->store.synchronizeCount(), 3);
    studio->sync.push(bundle(u"Studio"_s, 7, 14.0, Section::hidden, u"com.a"_s));
    deliver();
    EXPECT_EQ(laptop->received.size(), 2);
}

// The app model may drop sync from inside the callback; nothing may touch it afterwards.
TEST_F(CloudSyncTest, TheCallbackMayDestroyTheSyncObject) {
    auto store = std::make_unique<SimCloudKeyValueStore>(cloud, u"Mini"_s);
    auto sync = std::make_unique<CloudSync>(*store);
    int reports = 0;
    sync->setOnRemoteChange([&](const SyncedBundle &) {
        ++reports;
        sync.reset();
    });
    sync->start();
    studio->sync.push(bundle(u"Studio"_s, 5, 12.0, Section::hidden, u"com.a"_s));
    deliver();
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(sync, nullptr);
}

} // namespace
} // namespace zorv
