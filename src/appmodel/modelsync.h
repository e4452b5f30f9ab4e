#pragma once

#include "cloudsync/cloudsync.h"
#include "contentdigests.h"
#include "syncstate.h"
#include "transfer/syncedbundle.h"

#include <QCoroTask>
#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

namespace zorv {

class AppModel;

// The model's side of iCloud sync. Every local change is pushed as one bundle, stamped so that
// stamps order edits even between Macs whose clocks disagree: a change made here is stamped with
// the later of now and just after the newest stamp this Mac has seen, and a stamp far ahead of
// this Mac's clock counts as now. The parts a change touched (the settings, the layout, the active
// profile, a profile, a rule) carry that stamp. A bundle from another Mac is merged part by part
// (SyncedBundle::merging): each part from whichever side changed it last, the layouts united, and
// profiles and rules by id, so that nothing one Mac made or changed is undone by an unrelated
// edit on another Mac; the bundle carries the ids of the profiles and rules deleted, so that a
// deletion stays. The stamps, digests of the content they belong to and the deletions survive a
// restart (SyncState). With sync off, a change costs nothing here. Owned by the model; main
// thread.
class ModelSync {
public:
    // How far ahead of this Mac's clock a stamp may lie before it counts as a wrong clock's.
    static constexpr qint64 stampHorizonSeconds = 24 * 60 * 60;

    explicit ModelSync(AppModel &model);

    [[nodiscard]] bool cloudSyncAvailable() const;
    // Why sync cannot run; nullopt when it can.
    [[nodiscard]] std::optional<QString> cloudSyncUnavailableReason() const;
    // Stores the choice; switching on starts syncing and merges once.
    void setCloudSync(bool enabled);
    // Starts delivering other Macs' bundles and merges once; only when sync is on and available.
    void start();
    // Uploads the local bundle when sync is on and available. Called after every local change;
    // does nothing before start(), which the model calls once its state is loaded. A change made
    // while an adoption runs is pushed when the adoption ends; a push that fails is logged.
    void pushToCloud();
    // Merges another Mac's bundle into the model. One that arrives while an import commits is
    // merged once the import is over.
    QCoro::Task<> adopt(SyncedBundle remote);
    // This Mac's bundle as it stands now.
    [[nodiscard]] SyncedBundle localSyncedBundle();

    // This installation's id, from "device-id" in the data folder; created (and written) when the
    // file is missing, unreadable or blank.
    [[nodiscard]] QString deviceID() const;

private:
    enum Part { SettingsPart, ProfilesPart, RulesPart, PartCount };

    [[nodiscard]] bool syncing() const;
    QCoro::Task<> mergeRemoteThenPush();
    // Stamps a change, and the parts it touched, when the content differs from the content last
    // stamped.
    void noteLocalContent();
    // Dates the parts that differ between the digests last taken and `now` with a new stamp.
    void stampChanges(const ContentDigests &now);
    // The stamp of a change made now.
    [[nodiscard]] QDateTime nextStamp() const;
    // The stamp, or now when it lies beyond the horizon.
    [[nodiscard]] QDateTime credible(const QDateTime &stamp) const;
    // Pushes; a failure is logged once until a push goes through again.
    void pushBundle(const SyncedBundle &bundle, CloudSync::PushCondition condition);
    // Takes the profiles and rules that are here now; those gone since the last look count as
    // deleted.
    void takeIDs();
    void loadState();
    void saveState() const;
    // The bundle from the current state without looking for a change.
    [[nodiscard]] SyncedBundle bundleAsItStands() const;
    // The digests of the content here, made again only for the parts that changed since.
    [[nodiscard]] ContentDigests contentDigests();
    // Whether the content here is the one an earlier version's digest stands for.
    [[nodiscard]] bool matchesEarlierDigest(const SyncedBundle &bundle) const;
    [[nodiscard]] QString statePath() const;

    AppModel &m_model;
    SyncState m_state;
    bool m_stateLoaded = false;
    bool m_started = false;
    // While an adoption runs, its own saves are neither local changes nor pushed one by one.
    int m_adopting = 0;
    bool m_pushFailing = false;
    // A record that arrived while an import committed.
    std::optional<SyncedBundle> m_pendingRemote;
    ContentDigests m_digests;
    std::array<bool, PartCount> m_partChanged{true, true, true};
};

} // namespace zorv
