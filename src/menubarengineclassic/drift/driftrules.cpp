#include "driftrules.h"

#include "sectionindex.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

bool DriftRules::isCounted(const MenuBarItem &item) {
    return !item.isDormant && item.frame.width() > 0.0 && !item.id.isSystemPinned();
}

QSet<int> DriftRules::longestIncreasingRun(const QList<double> &values) {
    if (values.isEmpty()) {
        return {};
    }
    // piles[k]: the positions whose longest run ending there has k + 1 values, in position order.
    // Their values never increase along a pile, so each pile's last value is its least, and
    // those least values increase from pile to pile: both searches below are binary.
    const qsizetype count = values.size();
    QList<QList<qsizetype>> piles;
    QList<qsizetype> previous(count, -1);
    for (qsizetype i = 0; i < count; ++i) {
        const double value = values[i];
        // NaN compares false with everything: a run of its own that no other value extends.
        if (std::isnan(value)) {
            continue;
        }
        const auto pile =
            std::partition_point(piles.begin(), piles.end(), [&](const QList<qsizetype> &p) {
                return values[p.last()] < value;
            });
        if (pile != piles.begin()) {
            // The earliest position one pile down with a smaller value, as the plain quadratic
            // search that takes the first best predecessor finds it.
            const QList<qsizetype> &below = *(pile - 1);
            previous[i] = *std::partition_point(below.begin(), below.end(),
                                                [&](qsizetype j) { return values[j] >= value; });
        }
        if (pile == piles.end()) {
            piles.append(QList<qsizetype>{i});
        } else {
            pile->append(i);
        }
    }
    QSet<int> run;
    for (qsizetype at = piles.size() < 2 ? 0 : piles.last().first(); at >= 0; at = previous[at]) {
        run.insert(int(at));
    }
    return run;
}

QSet<MenuBarItemID> DriftRules::driftedItems(const QList<MenuBarItem> &items,
                                             const SectionLayout &layout,
                                             std::optional<double> hiddenSepX,
                                             std::optional<double> alwaysSepX,
                                             bool separatorsOrdered) {
    const SectionIndex sections(layout);
    QSet<MenuBarItemID> drifted;
    for (const MenuBarItem &item : items) {
        if (!isCounted(item)) {
            continue;
        }
        const auto section = sections.sectionOf(item.id);
        if (!section) {
            continue;
        }
        const double midX = item.frame.center().x();
        const double separator = hiddenSepX.value_or(0.0);
        bool wrongSide = *section == Section::shown ? midX < separator - laneTolerance
                                                    : midX > separator + laneTolerance;
        // The always-hidden separator parts the hidden items from those a reveal never shows.
        if (!wrongSide && *section != Section::shown && alwaysSepX && separatorsOrdered) {
            wrongSide = *section == Section::alwaysHidden ? midX > *alwaysSepX + laneTolerance
                                                          : midX < *alwaysSepX - laneTolerance;
        }
        if (wrongSide) {
            drifted.insert(item.id);
        }
    }
    return drifted;
}

QSet<MenuBarItemID> DriftRules::outOfOrder(const QList<MenuBarItem> &items,
                                           const SectionLayout &layout,
                                           const QSet<MenuBarItemID> &leftOut) {
    QHash<MenuBarItemID, double> midXs;
    midXs.reserve(items.size());
    for (const MenuBarItem &item : items) {
        if (isCounted(item)) {
            midXs.insert(item.id, item.frame.center().x());
        }
    }
    QSet<MenuBarItemID> result;
    for (const Section lane : allSections) {
        QList<MenuBarItemID> present;
        QList<double> xs;
        for (const MenuBarItemID &id : layout.ids(lane)) {
            if (const auto midX = midXs.constFind(id); midX != midXs.cend()) {
                present.append(id);
                xs.append(*midX);
            }
        }
        const QSet<int> inOrder = longestIncreasingRun(xs);
        for (qsizetype i = 0; i < present.size(); ++i) {
            if (!inOrder.contains(int(i)) && !leftOut.contains(present.at(i))) {
                result.insert(present.at(i));
            }
        }
    }
    return result;
}

DriftVerdict DriftRules::driftVerdict(const QList<MenuBarItem> &items, const SectionLayout &layout,
                                      std::optional<double> hiddenSepX, double barMinX,
                                      std::optional<double> alwaysSepX, bool separatorsOrdered,
                                      const QSet<MenuBarItemID> &leftOut) {
    const QSet<MenuBarItemID> drifted =
        driftedItems(items, layout, hiddenSepX, alwaysSepX, separatorsOrdered);
    const SectionIndex sections(layout);
    int wantedHidden = 0;
    int inView = 0;
    bool peeking = false;
    for (const MenuBarItem &item : items) {
        if (!isCounted(item)) {
            continue;
        }
        const auto section = sections.sectionOf(item.id);
        if (!section || *section == Section::shown) {
            continue;
        }
        ++wantedHidden;
        if (item.frame.center().x() > barMinX) {
            ++inView;
            peeking = peeking || !drifted.contains(item.id);
        }
    }
    if (wantedHidden >= 2 && inView == wantedHidden) {
        return {DriftVerdict::Kind::nothingHidden, {}};
    }
    if (peeking) {
        return {DriftVerdict::Kind::peeking, {}};
    }
    if (!drifted.isEmpty()) {
        return {DriftVerdict::Kind::drifted, drifted};
    }
    // Nothing stands on a wrong side: an order the bar lost inside a lane (an application put
    // its item back elsewhere on relaunch) is brought back like any other drift.
    if (QSet<MenuBarItemID> disordered = outOfOrder(items, layout, leftOut);
        !disordered.isEmpty()) {
        return {DriftVerdict::Kind::drifted, std::move(disordered)};
    }
    return {DriftVerdict::Kind::clean, {}};
}

Section DriftRules::laneOf(const MenuBarItem &item, std::optional<double> hiddenSepX,
                           std::optional<double> alwaysHiddenSepX, bool separatorsOrdered) {
    return laneAt(item.frame.center().x(), hiddenSepX, alwaysHiddenSepX, separatorsOrdered);
}

Section DriftRules::laneAt(double midX, std::optional<double> hiddenSepX,
                           std::optional<double> alwaysHiddenSepX, bool separatorsOrdered) {
    if (!hiddenSepX) {
        return midX > 0.0 ? Section::shown : Section::hidden;
    }
    if (midX > *hiddenSepX) {
        return Section::shown;
    }
    if (separatorsOrdered && alwaysHiddenSepX && midX < *alwaysHiddenSepX) {
        return Section::alwaysHidden;
    }
    return Section::hidden;
}

QList<Adoption> DriftRules::adoptions(const QList<MenuBarItem> &items, const SectionLayout &layout,
                                      const QSet<QString> &churning,
                                      QHash<MenuBarItemID, LaneSighting> &seen, int stableScans) {
    const SectionIndex sections(layout);
    QSet<MenuBarItemID> present;
    QList<Adoption> result;
    for (const MenuBarItem &item : items) {
        // No layout keeps the item of a process without a bundle identifier: adopting it would
        // only log and report the same layout again on every scan.
        if (!isCounted(item) || item.id.isEphemeral() || sections.sectionOf(item.id)) {
            continue;
        }
        present.insert(item.id);
        const auto previous = seen.constFind(item.id);
        const int scans =
            previous != seen.cend() && previous->lane == item.section ? previous->scans + 1 : 1;
        seen.insert(item.id, LaneSighting{item.section, scans});
        if (scans >= stableScans && !churning.contains(item.id.bundleID)) {
            result.append(Adoption{item.id, item.section});
        }
    }
    seen.removeIf([&](const auto &entry) { return !present.contains(entry.key()); });
    return result;
}

std::optional<double> DriftRules::iconRepairTarget(double iconMidX, const QList<QRectF> &ours,
                                                   const QList<QRectF> &system) {
    std::optional<double> rightmost;
    for (const QRectF &frame : ours) {
        if (frame.width() > 0.0) {
            rightmost = std::max(rightmost.value_or(frame.right()), frame.right());
        }
    }
    const double right = rightmost.value_or(iconMidX);
    std::optional<double> candidate;
    for (const QRectF &frame : system) {
        if (frame.width() > 0.0 && frame.left() > right) {
            candidate = std::min(candidate.value_or(frame.left()), frame.left());
        }
    }
    const double target = candidate.value_or(right + 40.0) - 16.0;
    if (iconMidX + 8.0 < target) {
        return target;
    }
    return std::nullopt;
}

QString DriftRules::driftSignature(const QSet<MenuBarItemID> &drifted) {
    QStringList bundles;
    for (const MenuBarItemID &id : drifted) {
        bundles.append(id.bundleID);
    }
    std::sort(bundles.begin(), bundles.end());
    return bundles.join(u',');
}

} // namespace zorv
