#pragma once

#include "profiles/profileset.h"
#include "sectionlayout.h"
#include "syncedidentifiers.h"
#include "syncedsettings.h"
#include "syncedstamps.h"
#include "triggers/triggerset.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace zorv {

// The share of the setup kept in the iCloud key-value store, stamped with when and on which Mac it
// was made, and each part with when it last changed. Two bundles become one by merging(), part by
// part, so that an edit is lost only to a later edit of the same part.
struct SyncedBundle {
    static constexpr QStringView kFormatTag = u"zorv-sync-v1";

    // `format` is always kFormatTag. Without `stamps`, every part dates from `updatedAt`; the
    // stamps kept are fitted to the profiles and rules (SyncedStamps::fittedTo).
    SyncedBundle(QDateTime updatedAt, QString deviceID, QString deviceName, SyncedSettings settings,
                 SectionLayout layout, ProfileSet profiles, TriggerSet triggers,
                 SyncedIdentifiers deleted = {}, std::optional<SyncedStamps> stamps = std::nullopt);

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
    // When each part last changed. Written under "stamps" only when some part is older than
    // `updatedAt`; a record without them (as earlier versions wrote) dates every part from
    // `updatedAt`, which merges as whole records did.
    SyncedStamps stamps;

    // Compact, sorted keys, ISO-8601 dates in whole seconds. Throws EncodeError.
    [[nodiscard]] QByteArray encoded() const;
    // Every key of the format is required; the format tag is read but not checked. Throws
    // DecodeError.
    [[nodiscard]] static SyncedBundle decode(const QByteArray &data);

    // Same settings, layout, profiles, rules and deletions, whoever made them and when.
    [[nodiscard]] bool contentEquals(const SyncedBundle &other) const;
    // The two bundles as one (syncmerge.cpp). The newer bundle (this one on a tie) supplies the
    // stamp, the device and the order of the profiles and rules. Each part comes from the side
    // that changed it last, the newer bundle's on a tie: the settings and the choice of the
    // active profile whole, each profile and rule by id. The layouts are united, the later one
    // leading (mergeLayout). A profile or rule only one side holds was made there and is kept,
    // after the newer side's; ids either side deleted are left out, and both sides' deletions
    // are carried on.
    [[nodiscard]] SyncedBundle merging(const SyncedBundle &other) const;
    // Per section, the newer list followed by the older list's items that the newer layout does
    // not place anywhere, normalised.
    [[nodiscard]] static SectionLayout mergeLayout(const SectionLayout &newer,
                                                   const SectionLayout &older);

    friend bool operator==(const SyncedBundle &, const SyncedBundle &) = default;
};

} // namespace zorv
