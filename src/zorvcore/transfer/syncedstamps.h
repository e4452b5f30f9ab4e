#pragma once

#include "jsondates.h"
#include "jsonreader.h"
#include "profiles/profileset.h"
#include "triggers/triggerset.h"

#include <QDateTime>
#include <QHash>
#include <QJsonValue>
#include <QUuid>

namespace zorv {

// When each part of a synced bundle last changed: the settings, the layout, the choice of the
// active profile, and each profile and rule by id. Two Macs' bundles are merged part by part on
// these dates, so that an edit is lost only to a later edit of the same part. Whole seconds, like
// every date a bundle carries.
struct SyncedStamps {
    QDateTime settings;
    QDateTime layout;
    QDateTime activeProfile;
    QHash<QUuid, QDateTime> profiles;
    QHash<QUuid, QDateTime> rules;

    // Every part of a bundle holding these profiles and rules dated `at`: how a record without
    // part stamps is read.
    [[nodiscard]] static SyncedStamps uniform(const QDateTime &at, const ProfileSet &profiles,
                                              const TriggerSet &triggers);
    // Whether every part is dated `at`, to the second.
    [[nodiscard]] bool allAt(const QDateTime &at) const;
    // A date for every profile and rule of the sets and for none other: one missing here is
    // dated `fallback`.
    [[nodiscard]] SyncedStamps fittedTo(const ProfileSet &profiles, const TriggerSet &triggers,
                                        const QDateTime &fallback) const;
    // Each date moved by `credit` (for dates another Mac's clock made).
    template <typename Credit> [[nodiscard]] SyncedStamps credited(Credit credit) const {
        SyncedStamps result = *this;
        for (QDateTime *date : {&result.settings, &result.layout, &result.activeProfile}) {
            *date = credit(*date);
        }
        for (auto *dates : {&result.profiles, &result.rules}) {
            for (QDateTime &date : *dates) {
                date = credit(date);
            }
        }
        return result;
    }

    // {"activeProfile", "layout", "profiles": {id: date}, "rules": {id: date}, "settings"}, ids
    // in upper case, dates in `form` (ISO-8601 in a bundle).
    [[nodiscard]] QJsonValue toJson(DateForm form = DateForm::Iso8601) const;
    // Every key is required; dates in the document's form. Throws DecodeError.
    [[nodiscard]] static SyncedStamps fromJson(const JsonValueRef &value);

    friend bool operator==(const SyncedStamps &, const SyncedStamps &) = default;
};

} // namespace zorv
