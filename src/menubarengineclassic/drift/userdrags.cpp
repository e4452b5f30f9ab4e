#include "userdrags.h"

#include "driftrules.h"

#include <algorithm>

namespace zorv {

namespace {

// The lane the reading shows the id in.
std::optional<Section> laneIn(const UserDrags::Lanes &lanes, const MenuBarItemID &id) {
    for (auto lane = lanes.cbegin(); lane != lanes.cend(); ++lane) {
        if (lane->contains(id)) {
            return lane.key();
        }
    }
    return std::nullopt;
}

QList<MenuBarItemID> without(QList<MenuBarItemID> ids, const MenuBarItemID &id) {
    ids.removeAll(id);
    return ids;
}

// The ids that `other` holds in some lane, in order.
QList<MenuBarItemID> sharedWith(const QList<MenuBarItemID> &ids, const UserDrags::Lanes &other) {
    QList<MenuBarItemID> shared;
    for (const MenuBarItemID &id : ids) {
        if (laneIn(other, id)) {
            shared.append(id);
        }
    }
    return shared;
}

} // namespace

UserDrags::Lanes UserDrags::read(const QList<MenuBarItem> &items, std::optional<double> hiddenSepX,
                                 std::optional<double> alwaysSepX, bool separatorsOrdered,
                                 const QSet<qint32> &skipped) {
    QList<const MenuBarItem *> counted;
    for (const MenuBarItem &item : items) {
        if (DriftRules::isCounted(item) && !skipped.contains(item.pid)) {
            counted.append(&item);
        }
    }
    std::stable_sort(counted.begin(), counted.end(),
                     [](const MenuBarItem *a, const MenuBarItem *b) {
                         return a->frame.center().x() < b->frame.center().x();
                     });
    Lanes lanes;
    for (const MenuBarItem *item : std::as_const(counted)) {
        lanes[DriftRules::laneOf(*item, hiddenSepX, alwaysSepX, separatorsOrdered)].append(
            item->id);
    }
    return lanes;
}

std::optional<MenuBarItemID> UserDrags::moved(const Lanes &before, const Lanes &after) {
    std::optional<MenuBarItemID> crossed;
    int crossings = 0;
    for (auto lane = after.cbegin(); lane != after.cend(); ++lane) {
        for (const MenuBarItemID &id : *lane) {
            const std::optional<Section> was = laneIn(before, id);
            if (was && *was != lane.key()) {
                crossed = id;
                ++crossings;
            }
        }
    }
    if (crossings > 0) {
        return crossings == 1 ? crossed : std::nullopt;
    }

    std::optional<Section> reordered;
    for (const Section section : allSections) {
        if (sharedWith(before.value(section), after) != sharedWith(after.value(section), before)) {
            if (reordered) {
                return std::nullopt;
            }
            reordered = section;
        }
    }
    if (!reordered) {
        return std::nullopt;
    }
    const QList<MenuBarItemID> was = sharedWith(before.value(*reordered), after);
    const QList<MenuBarItemID> is = sharedWith(after.value(*reordered), before);
    for (const MenuBarItemID &id : is) {
        if (without(was, id) == without(is, id)) {
            return id;
        }
    }
    return std::nullopt;
}

SectionLayout UserDrags::placed(const SectionLayout &layout, const MenuBarItemID &id,
                                const Lanes &after) {
    const std::optional<Section> lane = laneIn(after, id);
    return lane ? placedIn(layout, id, *lane, after.value(*lane)) : layout;
}

SectionLayout UserDrags::placedIn(const SectionLayout &layout, const MenuBarItemID &id,
                                  Section lane, const QList<MenuBarItemID> &barLane) {
    SectionLayout result;
    for (const Section section : allSections) {
        result.sections.insert(section, without(layout.ids(section), id));
    }
    QList<MenuBarItemID> wanted = result.ids(lane);
    const qsizetype at = barLane.indexOf(id);
    qsizetype insertion = wanted.size();
    bool found = false;
    for (qsizetype i = at - 1; i >= 0 && !found; --i) {
        const qsizetype index = wanted.indexOf(barLane.at(i));
        if (index >= 0) {
            insertion = index + 1;
            found = true;
        }
    }
    for (qsizetype i = at + 1; at >= 0 && i < barLane.size() && !found; ++i) {
        const qsizetype index = wanted.indexOf(barLane.at(i));
        if (index >= 0) {
            insertion = index;
            found = true;
        }
    }
    wanted.insert(insertion, id);
    result.sections.insert(lane, wanted);
    return result.normalized();
}

} // namespace zorv
