#pragma once

#include "cloud/simcloud.h"
#include "cloud/simcloudkeyvaluestore.h"
#include "cloudsync/cloudsync.h"

#include <QCoreApplication>
#include <QList>

#include <gtest/gtest.h>

#include <memory>

namespace zorv {

// One Mac: its key-value store, its CloudSync and the bundles reported to it.
struct SyncedMac {
    SyncedMac(SimCloud &cloud, const QString &name) : store(cloud, name), sync(store) {
        sync.setOnRemoteChange([this](const SyncedBundle &bundle) { received.append(bundle); });
    }

    SimCloudKeyValueStore store;
    CloudSync sync;
    QList<SyncedBundle> received;
};

// Two Macs signed in to one iCloud account.
class CloudSyncTest : public ::testing::Test {
protected:
    // Lets the cloud deliver what is on its way.
    static void deliver() { QCoreApplication::processEvents(); }

    [[nodiscard]] static MenuBarItemID item(const QString &bundleID) {
        return MenuBarItemID{bundleID, std::nullopt, std::nullopt, 0};
    }

    // A bundle made on `mac` at `second` seconds into the day, with the given auto-hide delay and
    // the item in the given section.
    [[nodiscard]] static SyncedBundle bundle(const QString &mac, int second, double autoRehide,
                                             Section section, const QString &bundleID) {
        Settings settings;
        settings.autoRehideSeconds = autoRehide;
        SectionLayout layout;
        layout.sections.insert(section, {item(bundleID)});
        return SyncedBundle(QDateTime(QDate(2025, 3, 1), QTime(9, 0, second), Qt::UTC),
                            QStringLiteral("id-") + mac, mac, SyncedSettings(settings),
                            layout.normalized(), ProfileSet(), TriggerSet());
    }

    SimCloud cloud;
    std::unique_ptr<SyncedMac> studio =
        std::make_unique<SyncedMac>(cloud, QStringLiteral("Studio"));
    std::unique_ptr<SyncedMac> laptop =
        std::make_unique<SyncedMac>(cloud, QStringLiteral("Laptop"));
};

} // namespace zorv
