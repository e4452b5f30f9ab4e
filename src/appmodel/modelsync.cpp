#include "modelsync.h"

#include "appmodel.h"
#include "cloudkeyvaluestore.h"
#include "incomingsettings.h"
#include "jsondates.h"
#include "jsonwriter.h"
#include "modelprofiles.h"
#include "storage/atomicfile.h"
#include "storage/wholefile.h"
#include "systemlog.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonObject>
#include <QPointer>
#include <QUuid>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString deviceIDFile = u"device-id"_s;
const QString stateFile = u"sync-state.json"_s;

// Bundles carry whole seconds; a stamp with a fraction would never compare equal to its own record.
QDateTime wholeSeconds(const QDateTime &date) {
    return QDateTime::fromSecsSinceEpoch(date.toSecsSinceEpoch(), Qt::UTC);
}

QDateTime distantPast() {
    return dateFromReferenceSeconds(0);
}

QByteArray sha256(const QJsonValue &json) {
    const auto bytes = writeJson(json, JsonFormat::compact());
    return QCryptographicHash::hash(bytes.value_or(QByteArray()), QCryptographicHash::Sha256);
}

} // namespace

ModelSync::ModelSync(AppModel &model) : m_model(model) {
    const auto changed = [this](Part part) { return [this, part] { m_partChanged[part] = true; }; };
    QObject::connect(&model, &AppModel::settingsChanged, &model, changed(SettingsPart));
    QObject::connect(&model, &AppModel::profilesChanged, &model, changed(ProfilesPart));
    QObject::connect(&model, &AppModel::triggersChanged, &model, changed(RulesPart));
    QObject::connect(&model, &AppModel::isImportingChanged, &model, [this] {
        if (!m_model.isImporting() && m_pendingRemote) {
            adopt(*std::exchange(m_pendingRemote, std::nullopt));
        }
    });
}

bool ModelSync::cloudSyncAvailable() const {
    return m_model.cloudSync().isAvailable();
}

std::optional<QString> ModelSync::cloudSyncUnavailableReason() const {
    if (cloudSyncAvailable()) {
        return std::nullopt;
    }
    if (!m_model.services().cloudStore.hasIdentityToken()) {
        return u"Sign in to iCloud in System Settings first."_s;
    }
    return u"Not available in this copy of Zorv."_s;
}

bool ModelSync::syncing() const {
    return m_model.settings().cloudSyncEnabled && cloudSyncAvailable();
}

void ModelSync::setCloudSync(bool enabled) {
    m_model.editSettings([enabled](Settings &settings) { settings.cloudSyncEnabled = enabled; });
    m_model.persistSettings();
    if (enabled) {
        start();
        mergeRemoteThenPush();
    } else {
        m_model.cloudSync().stop();
    }
}

void ModelSync::start() {
    m_started = true;
    if (!syncing()) {
        return;
    }
    const QPointer<AppModel> model(&m_model);
    m_model.cloudSync().setOnRemoteChange([model](const SyncedBundle &bundle) {
        if (model) {
            model->sync().adopt(bundle);
        }
    });
    m_model.cloudSync().start();
    mergeRemoteThenPush();
}

QCoro::Task<> ModelSync::mergeRemoteThenPush() {
    if (const auto remote = m_model.cloudSync().pull()) {
        co_await adopt(*remote);
    } else {
        pushToCloud();
    }
}

void ModelSync::pushToCloud() {
    // Until start-up has loaded profiles and rules, a bundle would carry empty ones and could
    // wipe them on every other Mac. With sync off nothing is looked at: turning it on compares
    // the content with the one last stamped.
    if (!m_started || m_adopting > 0 || !syncing()) {
        return;
    }
    noteLocalContent();
    pushBundle(bundleAsItStands(), CloudSync::PushCondition::ContentDiffers);
}

void ModelSync::pushBundle(const SyncedBundle &bundle, CloudSync::PushCondition condition) {
    if (const auto failure = m_model.cloudSync().push(bundle, condition)) {
        if (!m_pushFailing) {
            m_model.systemLog().write(u"Zorv: could not sync the settings: "_s + *failure);
        }
        m_pushFailing = true;
        return;
    }
    m_pushFailing = false;
}

SyncedBundle ModelSync::localSyncedBundle() {
    if (m_adopting == 0) {
        noteLocalContent();
    }
    return bundleAsItStands();
}

SyncedBundle ModelSync::bundleAsItStands() const {
    const QString name = m_model.deviceName().isEmpty() ? u"This Mac"_s : m_model.deviceName();
    return SyncedBundle(m_state.stamp.isValid() ? m_state.stamp : distantPast(), deviceID(), name,
                        SyncedSettings(m_model.settings()), m_model.layoutStore().value(),
                        m_model.profiles(), m_model.triggers(), m_state.deleted, m_state.stamps);
}

QCoro::Task<> ModelSync::adopt(SyncedBundle remote) {
    if (remote.deviceID == deviceID()) {
        co_return;
    }
    if (m_model.isImporting()) {
        // The setup is being replaced; the record is merged into the one that stays.
        m_pendingRemote = std::move(remote);
        co_return;
    }
    const SyncedBundle local = localSyncedBundle();
    const QDateTime sentAt = wholeSeconds(remote.updatedAt);
    const QDateTime remoteStamp = credible(sentAt);
    const bool wrongClock = remoteStamp != sentAt;
    // Two Macs that changed within the same second must agree on one winner, or each would keep
    // its own and push it back forever: the greater device id wins a tie.
    const bool remoteIsNewer = remoteStamp > local.updatedAt ||
                               (remoteStamp == local.updatedAt && remote.deviceID > local.deviceID);
    SyncedBundle credited = remote;
    credited.updatedAt = remoteStamp;
    // No part changed after its record was made.
    credited.stamps = remote.stamps.credited(
        [this, &remoteStamp](const QDateTime &at) { return std::min(credible(at), remoteStamp); });
    const SyncedBundle merged = remoteIsNewer ? credited.merging(local) : local.merging(credited);

    const Settings settings =
        IncomingSettings::checked(merged.settings.applied(m_model.settings()), m_model.settings());
    const SyncedBundle adopted(merged.updatedAt, local.deviceID, local.deviceName,
                               SyncedSettings(settings), merged.layout, merged.profiles,
                               merged.triggers, merged.deleted, merged.stamps);
    const bool tookRemote = !adopted.contentEquals(local);

    ++m_adopting;
    const QPointer<AppModel> model(&m_model);
    m_model.setSettings(settings);
    m_model.setProfiles(merged.profiles);
    m_model.setTriggers(merged.triggers);
    m_model.persistSettings();
    m_model.persistProfiles();
    m_model.persistTriggers();
    try {
        co_await m_model.engine().apply(merged.layout);
    } catch (const EngineFailure &) {
        // The settings, profiles and rules are taken; the engine keeps the layout it had.
    }
    if (!model) {
        co_return;
    }
    m_model.applySettingsToEngine();
    m_model.updateRevealGestures();
    m_model.profileOps().applyAppearance();
    m_model.spacing().setSpacing(m_model.settings().iconSpacing);
    m_model.notifyShortcutsChanged();
    if (tookRemote) {
        m_model.setLastCloudSyncNote(u"Updated from "_s + remote.deviceName + u"."_s);
    }
    --m_adopting;

    // What is here now dates from the newer side, part by part, except that a wrong clock's
    // record that brought nothing new changes nothing. What the engine made of the merged layout
    // (it may leave out items this Mac cannot show) is no change of this Mac's own, or two Macs
    // would keep correcting each other; settings the checks refused are, so that the corrected
    // record outranks the one that carried them, and so is an edit made while the adoption ran.
    const bool keepLocal = wrongClock && !tookRemote;
    m_state.stamp = keepLocal ? local.updatedAt : std::max(local.updatedAt, remoteStamp);
    m_state.stamps = keepLocal ? local.stamps : adopted.stamps;
    m_state.digests = ContentDigests{ContentDigests::ofSettings(adopted.settings),
                                     ContentDigests::ofLayout(adopted.layout),
                                     ContentDigests::ofActiveProfile(adopted.profiles),
                                     ContentDigests::ofProfiles(adopted.profiles),
                                     ContentDigests::ofRules(adopted.triggers),
                                     ContentDigests::ofOrder(adopted.profiles, adopted.triggers)};
    ContentDigests now = contentDigests();
    m_state.digests.layout = now.layout;
    const bool corrected = adopted.settings != merged.settings;
    const bool editedMeanwhile = now != m_state.digests;
    if (corrected) {
        // Unlike an edit, the correction is already in the digests.
        m_state.digests.settings.clear();
    }
    stampChanges(now);
    m_state.ids = SyncedIdentifiers::of(adopted.profiles, adopted.triggers);
    m_state.deleted = merged.deleted;
    takeIDs();
    saveState();
    if (!syncing()) {
        co_return;
    }
    if (corrected || editedMeanwhile || !adopted.contentEquals(remote)) {
        // The record lacks something this Mac holds.
        pushBundle(bundleAsItStands(), CloudSync::PushCondition::ContentDiffers);
    } else if (wrongClock ? tookRemote
                          : m_state.stamp > remoteStamp || m_state.stamps != credited.stamps) {
        // The same content, but a wrong clock's stamps are replaced, and newer stamps here must
        // reach the Macs that hold the record, or their next edit would lose against them.
        SyncedBundle restamped = adopted;
        restamped.updatedAt = m_state.stamp;
        restamped.stamps = m_state.stamps;
        pushBundle(restamped, CloudSync::PushCondition::Always);
    }
}

void ModelSync::noteLocalContent() {
    loadState();
    const ContentDigests now = contentDigests();
    if (m_state.digests.isEmpty() && m_state.digest.isEmpty() && m_state.legacyDigest.isEmpty()) {
        // First look ever: what is here now is the starting point, not a change, so a fresh
        // installation never outranks the setup other Macs already share.
        m_state.stamp = distantPast();
        m_state.stamps =
            SyncedStamps::uniform(m_state.stamp, m_model.profiles(), m_model.triggers());
        m_state.digests = now;
    } else if (m_state.digests.isEmpty()) {
        // An earlier version's state dates the whole content at once.
        if (!matchesEarlierDigest(bundleAsItStands())) {
            m_state.stamp = nextStamp();
        }
        m_state.stamps =
            SyncedStamps::uniform(m_state.stamp, m_model.profiles(), m_model.triggers());
        m_state.digests = now;
        m_state.digest.clear();
        m_state.legacyDigest.clear();
    } else if (now == m_state.digests) {
        return;
    } else {
        stampChanges(now);
    }
    takeIDs();
    saveState();
}

void ModelSync::stampChanges(const ContentDigests &now) {
    if (now != m_state.digests) {
        m_state.stamp = nextStamp();
        m_state.stamps = m_state.digests.restamped(now, m_state.stamps, m_state.stamp);
    }
    m_state.digests = now;
}

void ModelSync::takeIDs() {
    SyncedIdentifiers here = SyncedIdentifiers::of(m_model.profiles(), m_model.triggers());
    m_state.deleted = m_state.deleted.united(m_state.ids.without(here));
    m_state.ids = std::move(here);
}

QDateTime ModelSync::nextStamp() const {
    const QDateTime now = wholeSeconds(m_model.clock().wallNow());
    if (!m_state.stamp.isValid()) {
        return now;
    }
    return std::max(now, m_state.stamp.addSecs(1));
}

QDateTime ModelSync::credible(const QDateTime &stamp) const {
    const QDateTime now = wholeSeconds(m_model.clock().wallNow());
    return stamp > now.addSecs(stampHorizonSeconds) ? now : stamp;
}

void ModelSync::loadState() {
    if (m_stateLoaded) {
        return;
    }
    m_stateLoaded = true;
    m_state = SyncState::read(statePath());
    // A stamp a wrong clock left here would outrank every later edit.
    if (m_state.stamp.isValid()) {
        m_state.stamp = credible(m_state.stamp);
    }
}

void ModelSync::saveState() const {
    m_state.write(statePath());
}

ContentDigests ModelSync::contentDigests() {
    if (std::exchange(m_partChanged[SettingsPart], false)) {
        m_digests.settings = ContentDigests::ofSettings(SyncedSettings(m_model.settings()));
    }
    const bool profilesChanged = std::exchange(m_partChanged[ProfilesPart], false);
    const bool rulesChanged = std::exchange(m_partChanged[RulesPart], false);
    if (profilesChanged) {
        m_digests.activeProfile = ContentDigests::ofActiveProfile(m_model.profiles());
        m_digests.profiles = ContentDigests::ofProfiles(m_model.profiles());
    }
    if (rulesChanged) {
        m_digests.rules = ContentDigests::ofRules(m_model.triggers());
    }
    if (profilesChanged || rulesChanged) {
        m_digests.order = ContentDigests::ofOrder(m_model.profiles(), m_model.triggers());
    }
    // The layout store changes without a signal; its value is small.
    m_digests.layout = ContentDigests::ofLayout(m_model.layoutStore().value());
    return m_digests;
}

bool ModelSync::matchesEarlierDigest(const SyncedBundle &bundle) const {
    if (!m_state.legacyDigest.isEmpty()) {
        // Of the whole content in one document.
        const QJsonObject content{{u"settings"_s, bundle.settings.toJson()},
                                  {u"layout"_s, bundle.layout.normalized().toJson()},
                                  {u"profiles"_s, bundle.profiles.toJson()},
                                  {u"triggers"_s, bundle.triggers.toJson()}};
        return sha256(content).toHex() == m_state.legacyDigest;
    }
    // Of the four parts' own digests.
    QCryptographicHash whole(QCryptographicHash::Sha256);
    for (const QJsonValue &part : {bundle.settings.toJson(), bundle.layout.normalized().toJson(),
                                   bundle.profiles.toJson(), bundle.triggers.toJson()}) {
        whole.addData(sha256(part));
    }
    return whole.result().toHex() == m_state.digest;
}

QString ModelSync::statePath() const {
    return QDir(m_model.dataFolder()).filePath(stateFile);
}

QString ModelSync::deviceID() const {
    const QString path = QDir(m_model.dataFolder()).filePath(deviceIDFile);
    if (const auto bytes = readWholeFile(path)) {
        const QString id = QString::fromUtf8(*bytes).trimmed();
        // A blank file would give every such installation the same empty id, and each would take
        // the others' records for its own.
        if (!id.isEmpty()) {
            return id;
        }
    }
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    (void)writeFileAtomically(path, id.toUtf8(), FileDurability::Synced);
    return id;
}

} // namespace zorv
