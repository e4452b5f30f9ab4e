#pragma once

#include "cloudsync/cloudsync.h"
#include "transfer/syncedbundle.h"

#include <QCoroTask>
#include <QDateTime>
#include <QString>

#include <optional>

namespace zorv {

class AppModel;

// The model's side of iCloud sync. Every local change is pushed as one bundle, stamped with the
// time of the last change made on this Mac (kept in "sync-state.json", so a restart does not make
// old settings look new). A bundle from another Mac is merged: whichever side changed last
// supplies settings, profiles and rules, and the layouts are united. Owned by the model; main
// thread.
class ModelSync {
public:
    explicit ModelSync(AppModel &model);

    [[nodiscard]] bool cloudSyncAvailable() const;
    // Why sync cannot run; nullopt when it can.
    [[nodiscard]] std::optional<QString> cloudSyncUnavailableReason() const;
    // Stores the choice; switching on starts syncing and merges once.
    void setCloudSync(bool enabled);
    // Starts delivering other Macs' bundles and merges once; only when sync is on and available.
    void start();
    // Uploads the local bundle when sync is on and available. Called after every local change;
    // does nothing before start(), which the model calls once its state is loaded.
    void pushToCloud();
    // Merges another Mac's bundle into the model.
    QCoro::Task<> adopt(SyncedBundle remote);
    // This installation's bundle as it stands now.
    [[nodiscard]] SyncedBundle localSyncedBundle();

    // This installation's id, from "device-id" in the data folder; created (and written) when the
    // file is missing, unreadable or blank.
    [[nodiscard]] QString deviceID() const;

private:
    QCoro::Task<> mergeRemoteThenPush();
    // Takes the time of a change when the local content differs from the content last stamped.
    void noteLocalContent();
    void recordStamp(const QDateTime &changedAt, const QByteArray &digest);
    void loadStamp();
    // Builds the bundle from the current state without looking for a change.
    [[nodiscard]] SyncedBundle bundleAsItStands() const;
    [[nodiscard]] static QByteArray contentDigest(const SyncedBundle &bundle);
    [[nodiscard]] QString stampPath() const;

    AppModel &m_model;
    // When this Mac's synced content last changed here, or the time of the bundle it was taken
    // from; the distant past until a change is seen.
    QDateTime m_lastLocalChange;
    // The content that stamp belongs to; empty until it was first looked at.
    QByteArray m_stampedDigest;
    bool m_stampLoaded = false;
    bool m_started = false;
    // While an adoption runs, its own saves are neither local changes nor pushed one by one.
    int m_adopting = 0;
};

} // namespace zorv
