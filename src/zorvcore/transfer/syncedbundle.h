#pragma once

#include "profiles/profileset.h"
#include "sectionlayout.h"
#include "syncedidentifiers.h"
#include "syncedsettings.h"
#include "triggers/triggerset.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace zorv {

// The share of the setup kept in the iCloud key-value store, stamped with when and on which Mac it
// was made. Two bundles become one by merging(): the newer one wins whole, except that the layouts
// are united so that an item placed on either Mac survives.
struct SyncedBundle {
    static constexpr QStringView kFormatTag = u"zorv-sync-v1";

    // `format` is always kFormatTag.
    SyncedBundle(QDateTime updatedAt, QString deviceID, QString deviceName, SyncedSettings settings,
                 SectionLayout layout, ProfileSet profiles, TriggerSet triggers,
                 SyncedIdentifiers deleted = {});

    QString format;
    // Decides which of two bundles is newer. Sent with whole seconds only.
    QDateTime updatedAt;
    QString deviceID;
    // The sending Mac's name, shown to the user on arrival.
    QString deviceName;
    SyncedSettings settings;
    SectionLayout layout;
    ProfileSet profiles;
    TriggerSet triggers;
    // The profiles and rules the sending Mac knows to be deleted. Written under "deleted" only
    // when there are any, so a record without deletions keeps the eight keys of its format.
    SyncedIdentifiers deleted;

    // Compact, sorted keys, ISO-8601 dates in whole seconds. Throws EncodeError.
    [[nodiscard]] QByteArray encoded() const;
    // Every key is required; the format tag is read but not checked. Throws DecodeError.
    [[nodiscard]] static SyncedBundle decode(const QByteArray &data);

    // Same settings, layout, profiles, rules and deletions, whoever made them and when.
    [[nodiscard]] bool contentEquals(const SyncedBundle &other) const;
    // The newer bundle (this one on a tie) with the two layouts united.
    [[nodiscard]] SyncedBundle merging(const SyncedBundle &other) const;
    // Per section, the newer list followed by the older list's items that the newer layout does
    // not place anywhere, normalised.
    [[nodiscard]] static SectionLayout mergeLayout(const SectionLayout &newer,
                                                   const SectionLayout &older);

    friend bool operator==(const SyncedBundle &, const SyncedBundle &) = default;
};

} // namespace zorv
