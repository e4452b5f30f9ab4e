#pragma once

#include "jsonreader.h"
#include "profiles/profileset.h"
#include "sectionlayout.h"
#include "transfer/syncedsettings.h"
#include "transfer/syncedstamps.h"
#include "triggers/triggerset.h"

#include <QByteArray>
#include <QHash>
#include <QJsonValue>
#include <QUuid>

namespace zorv {

// Digests of the synced content part by part (the parts SyncedStamps dates), so that the parts a
// change touched are told apart from the last look without keeping the content itself.
struct ContentDigests {
    QByteArray settings;
    QByteArray layout;
    QByteArray activeProfile;
    QHash<QUuid, QByteArray> profiles;
    QHash<QUuid, QByteArray> rules;
    // Of the order of the profiles and of the rules, which no part dates: the newer bundle's
    // order leads in a merge, so a new order makes a newer bundle.
    QByteArray order;

    [[nodiscard]] static QByteArray ofSettings(const SyncedSettings &settings);
    [[nodiscard]] static QByteArray ofLayout(const SectionLayout &layout);
    [[nodiscard]] static QByteArray ofActiveProfile(const ProfileSet &profiles);
    [[nodiscard]] static QHash<QUuid, QByteArray> ofProfiles(const ProfileSet &profiles);
    [[nodiscard]] static QHash<QUuid, QByteArray> ofRules(const TriggerSet &triggers);
    [[nodiscard]] static QByteArray ofOrder(const ProfileSet &profiles, const TriggerSet &triggers);

    [[nodiscard]] bool isEmpty() const { return settings.isEmpty(); }
    // `stamps` with every part that differs between this (the earlier look) and `now` dated
    // `at`, a part new since included, and a part gone since left out.
    [[nodiscard]] SyncedStamps restamped(const ContentDigests &now, const SyncedStamps &stamps,
                                         const QDateTime &at) const;

    // {"activeProfile", "layout", "order", "profiles": {id: digest}, "rules": {id: digest},
    // "settings"}, digests in hexadecimal.
    [[nodiscard]] QJsonValue toJson() const;
    // Every key is required. Throws DecodeError.
    [[nodiscard]] static ContentDigests fromJson(const JsonValueRef &value);

    friend bool operator==(const ContentDigests &, const ContentDigests &) = default;
};

} // namespace zorv
