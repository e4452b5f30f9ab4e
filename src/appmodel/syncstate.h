#pragma once

#include "contentdigests.h"
#include "transfer/syncedidentifiers.h"
#include "transfer/syncedstamps.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace zorv {

// What this Mac keeps of sync between runs, in "sync-state.json": the stamp of the synced content
// it holds (the time of its last change here, or of the record it was taken from), when each part
// of it last changed, digests of its parts and the ids of its profiles and rules, so that a change
// made while Zorv or sync was off is still told apart, and the profiles and rules known to be
// deleted.
struct SyncState {
    // Invalid until the content was first looked at.
    QDateTime stamp;
    SyncedStamps stamps;
    // Empty until the content was first looked at.
    ContentDigests digests;
    // The digests earlier versions kept, of the whole content at once, until one is checked:
    // of its four parts' digests, or of one document.
    QByteArray digest;
    QByteArray legacyDigest;
    // The profiles and rules of that content.
    SyncedIdentifiers ids;
    SyncedIdentifiers deleted;

    // A missing or unreadable file gives the empty state.
    [[nodiscard]] static SyncState read(const QString &path);
    // A state that cannot be written is written again at its next change. Not synced to the
    // disk: it changes with every change of the setup, and a state lost in a power cut only
    // makes the content here count as new.
    void write(const QString &path) const;
};

} // namespace zorv
