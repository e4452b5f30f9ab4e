#include "sortplanrecord.h"

#include "sortoptimizer.h"

#include <QJsonArray>
#include <QMap>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr double modelledGap = 6.0;

QJsonObject summary(const SortOptimizer::Plan &plan) {
    return {{u"strategy"_s, plan.strategy},
            {u"ms"_s, plan.microseconds / 1000},
            {u"moves"_s, static_cast<qint64>(plan.moves.size())}};
}

} // namespace

QString SortPlanRecord::keyOf(const MenuBarItemID &id) {
    return id.bundleID + u'#' + QString::number(id.ordinal) + u'#' +
           id.axIdentifier.value_or(QString());
}

SortPlanRecord SortPlanRecord::build(const QList<MenuBarItem> &items, const SectionLayout &layout) {
    const MoveCoordinator::Gesture &gesture = MoveCoordinator::Gesture::standard;
    // Each id's lane as SectionLayout::sectionOf finds it, looked up once per item.
    QHash<MenuBarItemID, Section> laneOf;
    for (const Section section : {Section::alwaysHidden, Section::hidden, Section::shown}) {
        for (const MenuBarItemID &id : layout.ids(section)) {
            if (!laneOf.contains(id)) {
                laneOf.insert(id, section);
            }
        }
    }
    QMap<Section, QList<MenuBarItem>> onBar;
    for (const MenuBarItem &item : items) {
        const auto lane = laneOf.constFind(item.id);
        if (!item.isDormant && item.frame.width() > 0.0 && !item.id.isSystemPinned() &&
            lane != laneOf.cend()) {
            onBar[*lane].append(item);
        }
    }
    QJsonArray lanes;
    qint64 total = 0;
    for (const Section section : allSections) {
        QList<MenuBarItem> laneItems = onBar.value(section);
        if (laneItems.size() < 2) {
            continue;
        }
        std::stable_sort(laneItems.begin(), laneItems.end(),
                         [](const MenuBarItem &a, const MenuBarItem &b) {
                             return a.frame.left() < b.frame.left();
                         });
        SortOptimizer::Lane lane;
        lane.gap = modelledGap;
        QSet<MenuBarItemID> present;
        for (const MenuBarItem &item : laneItems) {
            lane.current.append(keyOf(item.id));
            lane.widths.insert(lane.current.last(), item.frame.width());
            present.insert(item.id);
        }
        for (const MenuBarItemID &wanted : layout.ids(section)) {
            if (present.contains(wanted)) {
                lane.goal.append(keyOf(wanted));
            }
        }
        const auto choice = SortOptimizer::choose(lane, gesture);
        if (!choice) {
            continue;
        }
        total += choice->best.microseconds;
        QJsonArray candidates;
        for (const SortOptimizer::Plan &plan : choice->candidates) {
            candidates.append(summary(plan));
        }
        QJsonObject record = summary(choice->best);
        record.remove(u"strategy"_s);
        record.insert(u"lane"_s, rawValue(section));
        record.insert(u"winner"_s, choice->best.strategy);
        record.insert(u"candidates"_s, candidates);
        lanes.append(record);
    }
    return {{{u"kind"_s, u"sort-plan"_s}, {u"lanes"_s, lanes}, {u"modeledMs"_s, total / 1000}},
            total};
}

} // namespace zorv
