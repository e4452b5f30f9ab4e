#include "ordinalregistry.h"

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QList<int> unassignedPositions(const QList<std::optional<int>> &assigned) {
    QList<int> positions;
    for (int position = 0; position < assigned.size(); ++position) {
        if (!assigned[position]) {
            positions.append(position);
        }
    }
    return positions;
}

} // namespace

QList<int> OrdinalRegistry::slots(qint32 processId, const QList<Sighting> &sightings) {
    // Taken out and put back at the end, rather than copied.
    App app;
    if (const auto kept = m_apps.find(processId); kept != m_apps.end()) {
        app = std::move(kept->second);
    }
    Assignments assigned(sightings.size());
    std::map<int, Sighting> vacant = app.occupants;

    for (const Signal signal : {Signal::identifier, Signal::title, Signal::width}) {
        pair(signal, sightings, assigned, vacant);
    }
    QList<int> unmatched = unassignedPositions(assigned);
    if (!unmatched.isEmpty()) {
        alignByOrder(assigned, unmatched, app.lastRank, app.lastLive);
    }
    for (const int position : unmatched) {
        assigned[position] = app.nextSlot++;
        ++m_freshAssignments;
    }

    QList<int> result;
    result.reserve(sightings.size());
    app.lastLive.clear();
    app.lastRank.clear();
    int highest = -1;
    for (int position = 0; position < sightings.size(); ++position) {
        const int slot = *assigned[position];
        app.occupants[slot] = sightings[position];
        app.lastLive.insert(slot);
        app.lastRank[slot] = position;
        highest = std::max(highest, slot);
        result.append(slot);
    }
    app.nextSlot = std::max(app.nextSlot, highest + 1);
    m_apps[processId] = std::move(app);
    return result;
}

void OrdinalRegistry::retain(const QSet<qint32> &processIds) {
    std::erase_if(m_apps, [&](const auto &entry) { return !processIds.contains(entry.first); });
}

std::optional<QString> OrdinalRegistry::read(Signal signal, const Sighting &sighting) {
    switch (signal) {
    case Signal::identifier:
        if (sighting.identifier && !sighting.identifier->isEmpty()) {
            return sighting.identifier;
        }
        return std::nullopt;
    case Signal::title:
        if (sighting.title && !sighting.title->isEmpty()) {
            return sighting.title;
        }
        return std::nullopt;
    case Signal::width:
        if (sighting.width < 1) {
            return std::nullopt;
        }
        return u"w"_s + QString::number(sighting.width);
    }
    return std::nullopt;
}

void OrdinalRegistry::pair(Signal signal, const QList<Sighting> &sightings, Assignments &assigned,
                           std::map<int, Sighting> &vacant) {
    // Applications have few items: an ordered map costs less to build than a hash. Groups are
    // independent (an occupant has one key), so the order they are looked at in does not matter.
    std::map<QString, QList<int>> positionsByKey;
    for (const int position : unassignedPositions(assigned)) {
        if (const auto key = read(signal, sightings[position])) {
            positionsByKey[*key].append(position);
        }
    }
    for (const auto &[key, positions] : positionsByKey) {
        if (positions.size() != 1) {
            continue; // an ambiguous key never decides
        }
        std::optional<int> match;
        int matches = 0;
        for (const auto &[slot, occupant] : vacant) {
            if (read(signal, occupant) == key) {
                match = slot;
                ++matches;
            }
        }
        if (matches == 1) {
            assigned[positions.front()] = *match;
            vacant.erase(*match);
        }
    }
}

void OrdinalRegistry::alignByOrder(Assignments &assigned, QList<int> &unmatched,
                                   const std::map<int, int> &lastRank, const std::set<int> &live) {
    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    constexpr qint64 highest = std::numeric_limits<qint64>::max();

    struct Anchor {
        int position;
        qint64 rank;
    };
    QList<Anchor> anchors;
    QSet<int> taken;
    for (int position = 0; position < assigned.size(); ++position) {
        if (!assigned[position]) {
            continue;
        }
        taken.insert(*assigned[position]);
        if (const auto rank = lastRank.find(*assigned[position]); rank != lastRank.end()) {
            anchors.append({position, rank->second});
        }
    }

    // Previously live slots not taken yet, by their previous rank.
    std::map<qint64, int> candidates;
    for (const int slot : live) {
        const auto rank = lastRank.find(slot);
        if (!taken.contains(slot) && rank != lastRank.end()) {
            candidates.emplace(rank->second, slot);
        }
    }
    if (candidates.empty()) {
        return;
    }

    struct Segment {
        QList<int> positions;
        qint64 above;
        qint64 below;
    };
    QList<Segment> segments;
    qsizetype next = 0;
    qint64 previousRank = lowest;
    auto collectUpTo = [&](int end, qint64 upperRank) {
        Segment segment{{}, previousRank, upperRank};
        while (next < unmatched.size() && unmatched[next] < end) {
            segment.positions.append(unmatched[next++]);
        }
        if (!segment.positions.isEmpty()) {
            segments.append(std::move(segment));
        }
    };
    for (const Anchor &anchor : anchors) {
        collectUpTo(anchor.position, anchor.rank);
        previousRank = anchor.rank;
    }
    collectUpTo(std::numeric_limits<int>::max(), highest);

    for (const Segment &segment : segments) {
        const auto first = candidates.upper_bound(segment.above);
        const auto last = candidates.lower_bound(segment.below);
        if (segment.above >= segment.below ||
            std::distance(first, last) != segment.positions.size()) {
            continue;
        }
        auto candidate = first;
        for (const int position : segment.positions) {
            assigned[position] = candidate->second;
            ++candidate;
        }
        candidates.erase(first, last);
    }
    unmatched = unassignedPositions(assigned);
}

} // namespace zorv
