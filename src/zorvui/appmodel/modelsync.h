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
    // Uploads the local bundle when sync is on and available. Called after every local change.
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
    QCoro::Task<> pushLocal();
    // Stamps the local content with the current time when it differs from the last stamped
    // content.
    void noteLocalContent();
    void recordStamp(const QDateTime &changedAt, const QByteArray &digest);
    void loadStamp();
    [[nodiscard]] QByteArray localContentDigest() const;
    [[nodiscard]] QString stampPath() const;

    AppModel &m_model;
    // When this Mac's synced content last changed here (or was taken from a newer bundle); the
    // distant past until a change is seen.
    QDateTime m_lastLocalChange;
    // The content that stamp belongs to; empty until the first look.
    QByteArray m_stampedDigest;
    bool m_stampLoaded = false;
    // While an adoption runs its own saves are not local changes.
    int m_adopting = 0;
};

} // namespace zorv
