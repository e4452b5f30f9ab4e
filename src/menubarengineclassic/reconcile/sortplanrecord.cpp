#include "sortplanrecord.h"

#include "sortoptimizer.h"

#include <QJsonArray>

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
    QJsonArray lanes;
    qint64 total = 0;
    for (const Section section : allSections) {
        QList<MenuBarItem> onBar;
        for (const MenuBarItem &item : items) {
            if (!item.isDormant && item.frame.width() > 0.0 && !item.id.isSystemPinned() &&
                layout.sectionOf(item.id) == section) {
                onBar.append(item);
            }
        }
        if (onBar.size() < 2) {
            continue;
        }
        std::stable_sort(onBar.begin(), onBar.end(),
                         [](const MenuBarItem &a, const MenuBarItem &b) {
                             return a.frame.left() < b.frame.left();
                         });
        SortOptimizer::Lane lane;
        lane.gap = modelledGap;
        for (const MenuBarItem &item : onBar) {
            lane.current.append(keyOf(item.id));
            lane.widths.insert(keyOf(item.id), item.frame.width());
        }
        for (const MenuBarItemID &wanted : layout.ids(section)) {
            const bool present = std::any_of(onBar.cbegin(), onBar.cend(),
                                             [&](const auto &item) { return item.id == wanted; });
            if (present) {
                lane.goal.append(keyOf(wanted));
            }
        }
        const auto best = SortOptimizer::bestPlan(lane, gesture);
        if (!best) {
            continue;
        }
        total += best->microseconds;
        QJsonArray candidates;
        for (const SortOptimizer::Plan &plan : SortOptimizer::candidates(lane, gesture)) {
            candidates.append(summary(plan));
        }
        QJsonObject record = summary(*best);
        record.remove(u"strategy"_s);
        record.insert(u"lane"_s, rawValue(section));
        record.insert(u"winner"_s, best->strategy);
        record.insert(u"candidates"_s, candidates);
        lanes.append(record);
    }
    return {{{u"kind"_s, u"sort-plan"_s}, {u"lanes"_s, lanes}, {u"modeledMs"_s, total / 1000}},
            total};
}

} // namespace zorv
