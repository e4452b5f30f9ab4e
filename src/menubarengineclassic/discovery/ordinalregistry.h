#pragma once

#include <QList>
#include <QSet>
#include <QString>

#include <map>
#include <optional>
#include <set>

namespace zorv {

// Hands out the ordinals that tell apart one application's status items from scan to scan when
// they carry no usable accessibility identifier. Per process it remembers, per slot number, what
// the item in that slot last looked like and where it stood; each scan pairs the new sightings
// with those slots by unique identifier, then unique title, then unique width, then by order
// between items already paired, and only what is left gets a fresh slot. A slot is never handed
// out twice while its process is remembered. Not thread-safe: its owner guards it.
class OrdinalRegistry {
public:
    // What one item looked like in a scan.
    struct Sighting {
        // After per-application disambiguation.
        std::optional<QString> identifier;
        std::optional<QString> title;
        // In whole points.
        int width = 0;

        friend bool operator==(const Sighting &, const Sighting &) = default;
    };

    // The ordinal of each sighting of the process (given left to right), in the same order; all
    // distinct.
    [[nodiscard]] QList<int> slots(qint32 processId, const QList<Sighting> &sightings);
    // Forgets every process not in the set.
    void retain(const QSet<qint32> &processIds);

    // How many processes are remembered.
    [[nodiscard]] int applicationCount() const { return int(m_apps.size()); }
    // Fresh slots handed out since creation; never falls.
    [[nodiscard]] int freshAssignments() const { return m_freshAssignments; }

private:
    enum class Signal { identifier, title, width };
    using Assignments = QList<std::optional<int>>;

    struct App {
        // Every slot handed out so far, with its item's latest sighting.
        std::map<int, Sighting> occupants;
        std::set<int> lastLive;
        // Slot to its left-to-right position in the previous scan.
        std::map<int, int> lastRank;
        int nextSlot = 0;
    };

    [[nodiscard]] static std::optional<QString> read(Signal signal, const Sighting &sighting);
    static void pair(Signal signal, const QList<Sighting> &sightings, Assignments &assigned,
                     std::map<int, Sighting> &vacant);
    static void alignByOrder(Assignments &assigned, QList<int> &unmatched,
                             const std::map<int, int> &lastRank, const std::set<int> &live);

    std::map<qint32, App> m_apps;
    int m_freshAssignments = 0;
};

} // namespace zorv
