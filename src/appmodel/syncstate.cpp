#include "syncstate.h"

#include "decodeerror.h"
#include "jsondates.h"
#include "jsonreader.h"
#include "jsonwriter.h"
#include "storage/atomicfile.h"
#include "storage/wholefile.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

SyncState SyncState::read(const QString &path) {
    const auto bytes = readWholeFile(path);
    if (!bytes) {
        return {};
    }
    try {
        const JsonObjectRef object = JsonValueRef(parseJson(*bytes)).toObject();
        SyncState state;
        state.stamp = object.required(u"lastLocalChange").toReferenceDate();
        if (const auto digests = object.optional<ContentDigests>(u"digests")) {
            state.digests = *digests;
            state.stamps = object.required<SyncedStamps>(u"stamps");
        } else if (const auto digest = object.optional<QString>(u"digest")) {
            state.digest = digest->toLatin1();
        } else {
            state.legacyDigest = object.required(u"content").toString().toLatin1();
        }
        state.ids = object.optional<SyncedIdentifiers>(u"ids").value_or(SyncedIdentifiers{});
        state.deleted =
            object.optional<SyncedIdentifiers>(u"deleted").value_or(SyncedIdentifiers{});
        if (!state.stamp.isValid() ||
            (state.digests.isEmpty() && state.digest.isEmpty() && state.legacyDigest.isEmpty())) {
            return {};
        }
        return state;
    } catch (const DecodeError &) {
        // Like a missing file: the content found now becomes the starting point.
        return {};
    }
}

void SyncState::write(const QString &path) const {
    const QJsonObject json{{u"lastLocalChange"_s, referenceDateJson(stamp)},
                           {u"stamps"_s, stamps.toJson(DateForm::ReferenceSeconds)},
                           {u"digests"_s, digests.toJson()},
                           {u"ids"_s, ids.toJson()},
                           {u"deleted"_s, deleted.toJson()}};
    if (const auto bytes = writeJson(json, JsonFormat::pretty())) {
        (void)writeFileAtomically(path, *bytes, FileDurability::Unsynced);
    }
}

} // namespace zorv
