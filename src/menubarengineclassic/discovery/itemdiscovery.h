#pragma once

#include "discovereditem.h"
#include "ordinalregistry.h"

#include <QList>
#include <QMutex>
#include <QSet>

#include <optional>

namespace zorv {

class Accessibility;
class Workspace;

// Finds the status items of every other running application, left to right, each with an
// ordinal from the one ordinal registry it keeps for its whole life (so identities stay stable
// while the engine runs). Scans read other processes synchronously: run them on a worker thread.
// The registry is only touched under the lock, never across a request to another process, so the
// counts can be read from the main thread while a scan runs. Hold it by shared pointer when a
// scan may outlive its owner; the platform services must outlive it.
class ItemDiscovery {
public:
    ItemDiscovery(Accessibility &accessibility, Workspace &workspace);

    // With no set, a full scan: every running application is read and the registry forgets the
    // ones that showed no item. With a set, only those processes are read and nothing is
    // forgotten. Empty, with the registry untouched, while this process is not trusted.
    //
    // An application that does not answer in time (it hangs) contributes no items, but it has not
    // shown that it has none: it goes into `unanswered`, when given, and keeps its ordinals for
    // when it answers again.
    [[nodiscard]] QList<DiscoveredItem> scan(const std::optional<QSet<qint32>> &pids,
                                             QSet<qint32> *unanswered = nullptr);

    // Keeps each identifier that is non-empty and occurs exactly once; every other becomes absent.
    [[nodiscard]] static QList<std::optional<QString>>
    disambiguated(const QList<std::optional<QString>> &identifiers);

    [[nodiscard]] int registeredApplications() const;
    [[nodiscard]] int freshAssignments() const;

private:
    Accessibility &m_accessibility;
    Workspace &m_workspace;
    mutable QMutex m_lock;
    OrdinalRegistry m_registry;
};

} // namespace zorv
