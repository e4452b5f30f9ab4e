#include "modelsync.h"

#include "appmodel.h"
#include "cloudkeyvaluestore.h"
#include "decodeerror.h"
#include "incomingsettings.h"
#include "jsondates.h"
#include "jsonreader.h"
#include "jsonwriter.h"
#include "modelprofiles.h"
#include "storage/atomicfile.h"
#include "storage/wholefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonObject>
#include <QPointer>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString deviceIDFile = u"device-id"_s;
const QString stampFile = u"sync-state.json"_s;

// Bundles carry whole seconds; a stamp with a fraction would never compare equal to its own record.
QDateTime wholeSeconds(const QDateTime &date) {
    return QDateTime::fromSecsSinceEpoch(date.toSecsSinceEpoch(), Qt::UTC);
}

QDateTime distantPast() {
    return dateFromReferenceSeconds(0);
}

} // namespace

ModelSync::ModelSync(AppModel &model) : m_model(model) {}

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
    if (!m_model.settings().cloudSyncEnabled || !cloudSyncAvailable()) {
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
    // wipe them on every other Mac.
    if (!m_started || m_adopting > 0) {
        return;
    }
    noteLocalContent();
    if (!m_model.settings().cloudSyncEnabled || !cloudSyncAvailable()) {
        return;
    }
    m_model.cloudSync().push(bundleAsItStands());
}

SyncedBundle ModelSync::localSyncedBundle() {
    if (m_adopting == 0) {
        noteLocalContent();
    }
    return bundleAsItStands();
}

SyncedBundle ModelSync::bundleAsItStands() const {
    const QString name = m_model.deviceName().isEmpty() ? u"This Mac"_s : m_model.deviceName();
    return SyncedBundle(m_lastLocalChange.isValid() ? m_lastLocalChange : distantPast(), deviceID(),
                        name, SyncedSettings(m_model.settings()), m_model.layoutStore().value(),
                        m_model.profiles(), m_model.triggers());
}

QCoro::Task<> ModelSync::adopt(SyncedBundle remote) {
    if (remote.deviceID == deviceID()) {
        co_return;
    }
    const SyncedBundle local = localSyncedBundle();
    // Two Macs that changed within the same second must agree on one winner, or each would keep
    // its own and push it back forever: the greater device id wins a tie.
    const bool remoteWinsTie =
        remote.updatedAt == local.updatedAt && remote.deviceID > local.deviceID;
    const SyncedBundle merged = remoteWinsTie ? remote.merging(local) : local.merging(remote);

    const Settings settings =
        IncomingSettings::checked(merged.settings.applied(m_model.settings()), m_model.settings());
    const SyncedBundle adopted(merged.updatedAt, local.deviceID, local.deviceName,
                               SyncedSettings(settings), merged.layout, merged.profiles,
                               merged.triggers);
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
    // What is here now dates from the winner's change. What the engine made of the merged layout
    // (it may leave out items this Mac cannot show) is no change of this Mac's own, or two Macs
    // would keep correcting each other; settings the checks refused are, so that the corrected
    // record outranks the one that carried them.
    const bool corrected = adopted.settings != merged.settings;
    recordStamp(corrected ? m_model.clock().wallNow() : merged.updatedAt,
                contentDigest(bundleAsItStands()));
    // The record is replaced only when the merge kept something it lacks.
    if (!adopted.contentEquals(remote) && m_model.settings().cloudSyncEnabled &&
        cloudSyncAvailable()) {
        m_model.cloudSync().push(bundleAsItStands());
    }
}

void ModelSync::noteLocalContent() {
    loadStamp();
    const QByteArray digest = contentDigest(bundleAsItStands());
    if (m_stampedDigest.isEmpty()) {
        // First look ever: what is here now is the starting point, not a change, so a fresh
        // installation never outranks the setup other Macs already share.
        recordStamp(distantPast(), digest);
    } else if (digest != m_stampedDigest) {
        recordStamp(m_model.clock().wallNow(), digest);
    }
}

void ModelSync::recordStamp(const QDateTime &changedAt, const QByteArray &digest) {
    m_stampLoaded = true;
    m_lastLocalChange = wholeSeconds(changedAt);
    m_stampedDigest = digest;
    const QJsonObject json{{u"lastLocalChange"_s, referenceDateJson(m_lastLocalChange)},
                           {u"content"_s, QString::fromLatin1(digest)}};
    if (const auto bytes = writeJson(json, JsonFormat::pretty())) {
        // A stamp that cannot be written is taken again from the next change.
        (void)writeFileAtomically(stampPath(), *bytes, FileDurability::Synced);
    }
}

void ModelSync::loadStamp() {
    if (m_stampLoaded) {
        return;
    }
    m_stampLoaded = true;
    const auto bytes = readWholeFile(stampPath());
    if (!bytes) {
        return;
    }
    try {
        const JsonObjectRef object = JsonValueRef(parseJson(*bytes)).toObject();
        const QDateTime changedAt = object.required(u"lastLocalChange").toReferenceDate();
        const QString digest = object.required(u"content").toString();
        if (changedAt.isValid() && !digest.isEmpty()) {
            m_lastLocalChange = changedAt;
            m_stampedDigest = digest.toLatin1();
        }
    } catch (const DecodeError &) {
        // Treated like a missing file: the content found now becomes the starting point.
    }
}

QByteArray ModelSync::contentDigest(const SyncedBundle &bundle) {
    const QJsonObject content{{u"settings"_s, bundle.settings.toJson()},
                              {u"layout"_s, bundle.layout.normalized().toJson()},
                              {u"profiles"_s, bundle.profiles.toJson()},
                              {u"triggers"_s, bundle.triggers.toJson()}};
    const auto bytes = writeJson(content, JsonFormat::compact());
    // Content that cannot be written (a non-finite number) cannot be synced either; any stable
    // digest will do for it.
    return QCryptographicHash::hash(bytes.value_or(QByteArray()), QCryptographicHash::Sha256)
        .toHex();
}

QString ModelSync::stampPath() const {
    return QDir(m_model.dataFolder()).filePath(stampFile);
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
