#include "dragplanning.h"

#include "drift/driftrules.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr double laneTolerance = DriftRules::laneTolerance;
// Where an item goes into a lane without placed neighbours, from the lane's separator.
constexpr double fallbackOffset = 34.0;
// The least step of a pair swap.
constexpr double minimumSwapStep = 40.0;

const QString iconKey = u"icon-rightmost"_s;
const QString separatorKey = u"sep-order"_s;

int direction(double fromX, double toX) {
    return toX > fromX ? 1 : -1;
}

QString orderKey(const MenuBarItemID &id) {
    return u"order-"_s + id.bundleID + u'-' + QString::number(id.ordinal);
}

QString capKey(Section section) {
    return u"order-cap-"_s + rawValue(section);
}

} // namespace

QString DragPlanning::directionKey(const MenuBarItemID &id) {
    // Named by the item's whole identity, as one application's items differ by their
    // accessibility identifiers alone.
    const MenuBarItemID::Discriminator discriminator = id.discriminator();
    const auto *identifier = std::get_if<MenuBarItemID::Identifier>(&discriminator);
    return DragPlanner::directionPrefix + id.bundleID +
           (identifier ? u"-id:"_s + identifier->value : u"-#"_s + QString::number(id.ordinal));
}

QString DragPlanning::laneMoveKey(const MenuBarItemID &id) {
    return u"item-"_s + id.bundleID + u'-' + id.title.value_or(QString()) + u'-' +
           QString::number(id.ordinal);
}

DragPlanning::DragPlanning(const BarGeometry &geometry, const SectionLayout &layout,
                           const QSet<MenuBarItemID> &stubborn,
                           DragPlanner::AttemptsLedger &attempts)
    : m_geometry(geometry), m_layout(layout), m_stubborn(stubborn), m_attempts(attempts),
      m_lanes(geometry) {}

std::optional<DragPlan> DragPlanning::plan() {
    const auto sized = std::find_if(m_geometry.frames.cbegin(), m_geometry.frames.cend(),
                                    [](const ItemFrame &f) { return f.frame.width() > 0.0; });
    if (sized == m_geometry.frames.cend()) {
        return std::nullopt;
    }
    m_barY = sized->frame.center().y();
    if (auto icon = iconRepair()) {
        return icon;
    }
    if (auto separator = separatorOrder()) {
        return separator;
    }
    if (auto lane = laneMove()) {
        return lane;
    }
    for (const Section section : {Section::shown, Section::hidden, Section::alwaysHidden}) {
        if (auto order = orderMove(section)) {
            return order;
        }
    }
    return std::nullopt;
}

qsizetype DragPlanning::dragsStillNeeded() const {
    QHash<MenuBarItemID, QRectF> frames;
    for (const ItemFrame &entry : m_geometry.frames) {
        if (!frames.contains(entry.id)) {
            frames.insert(entry.id, entry.frame);
        }
    }
    qsizetype needed = 0;
    for (const Section section : {Section::shown, Section::hidden, Section::alwaysHidden}) {
        QList<double> inLane;
        for (const MenuBarItemID &id : m_layout.ids(section)) {
            const auto frame = frames.constFind(id);
            if (frame == frames.cend() || !BarGeometry::placedOnBar(&*frame, id)) {
                continue;
            }
            if (m_lanes.laneToMoveInto(section, frame->center().x())) {
                ++needed;
            } else {
                inLane.append(frame->center().x());
            }
        }
        needed += inLane.size() - DriftRules::longestIncreasingRun(inLane).size();
    }
    return needed;
}

QList<DragPlanner::Waiting> DragPlanning::waiting() const {
    QList<DragPlanner::Waiting> result;
    for (const ItemFrame &entry : m_geometry.frames) {
        const auto wanted = m_layout.sectionOf(entry.id);
        const auto zone = wanted && BarGeometry::placedOnBar(&entry.frame, entry.id)
                              ? m_lanes.laneToMoveInto(*wanted, entry.frame.center().x())
                              : std::nullopt;
        if (const auto why = zone ? waitingFor(entry, *zone) : std::nullopt) {
            result.append(*why);
        }
    }
    return result;
}

std::optional<DragPlanner::Waiting> DragPlanning::waitingFor(const ItemFrame &entry,
                                                             Section zone) const {
    const std::optional<QString> itemCover =
        m_geometry.reach ? m_geometry.reach->whyNot(entry.id, entry.frame) : std::nullopt;
    const bool laneInReach = laneTarget(entry.id, zone).has_value();
    const bool inHidden = !m_lanes.laneToMoveInto(Section::hidden, entry.frame.center().x());
    const bool hiddenForNow = !laneInReach && zone == Section::alwaysHidden &&
                              (inHidden || laneTarget(entry.id, Section::hidden).has_value());
    const auto [lower, upper] = m_lanes.landingSpan(zone);
    const QString laneCover =
        laneInReach ? QString()
                    : m_geometry.coverOf(lower, upper).value_or(Reachability::offScreen);

    DragPlanner::Waiting why{entry.id};
    why.hiddenForNow = hiddenForNow;
    // Whether what keeps drags from the lane is part of what the item waits for.
    bool laneCounts = !laneInReach;
    if (!laneInReach && !hiddenForNow) {
        // With nowhere to go, freeing the item would not help.
        why.cover = laneCover;
        why.laneOnly = itemCover != laneCover;
    } else if (itemCover && !(hiddenForNow && inHidden)) {
        // Somewhere to go, Hidden for now at least, once the item itself is free.
        why.cover = *itemCover;
        laneCounts = false;
    } else if (hiddenForNow) {
        // In Hidden already, or dragged there by the next run: only Always Hidden holds it.
        why.cover = laneCover;
        why.laneOnly = true;
    } else {
        return std::nullopt;
    }
    if (why.cover == Reachability::underMenus) {
        const Reachability &reach = *m_geometry.reach;
        why.finderWouldClear =
            (itemCover != Reachability::underMenus || reach.clearOfDeskMenus(entry.frame)) &&
            (!laneCounts || laneCover != Reachability::underMenus ||
             reach.clearOfDeskMenus(lower, upper));
    }
    return why;
}

QList<MenuBarItemID> DragPlanning::laneTurnedBack() const {
    QList<MenuBarItemID> ids;
    for (const ItemFrame &entry : m_geometry.frames) {
        const auto wanted = m_layout.sectionOf(entry.id);
        const auto zone = wanted && BarGeometry::placedOnBar(&entry.frame, entry.id)
                              ? m_lanes.laneToMoveInto(*wanted, entry.frame.center().x())
                              : std::nullopt;
        if (!zone || !m_geometry.canReach(entry.id, entry.frame) || ids.contains(entry.id)) {
            continue;
        }
        const std::optional<LaneDrop> drop = laneDrop(entry, *zone);
        if (drop && turnsBack(entry.id, entry.frame.center().x(), drop->x)) {
            ids.append(entry.id);
        }
    }
    return ids;
}

bool DragPlanning::turnsBack(const MenuBarItemID &id, double fromX, double toX) const {
    const int earlier = m_attempts.value(directionKey(id), 0);
    return earlier != 0 && earlier != direction(fromX, toX);
}

DragPlan DragPlanning::tracked(QString label, const ItemFrame &entry, double toX, int attempt) {
    m_attempts[directionKey(entry.id)] = direction(entry.frame.center().x(), toX);
    return DragPlan{
        std::move(label), entry.frame.center(), {toX, entry.frame.center().y()}, entry.id, attempt};
}

std::optional<int> DragPlanning::budget(const QString &key) {
    if (m_attempts.value(key, 0) >= plansPerKey) {
        return std::nullopt;
    }
    return ++m_attempts[key];
}

bool DragPlanning::canMove(const MenuBarItemID &id) const {
    return !m_stubborn.contains(id) && m_attempts.value(orderKey(id), 0) < plansPerKey;
}

std::optional<DragPlan> DragPlanning::iconRepair() {
    if (m_geometry.iconHidden || m_geometry.iconSafelyRightmost ||
        m_attempts.value(iconKey, 0) > 1) {
        return std::nullopt;
    }
    QList<QRectF> ours;
    QList<QRectF> system;
    for (const ItemFrame &entry : m_geometry.frames) {
        (entry.id.isSystemPinned() ? system : ours).append(entry.frame);
    }
    ours.append(m_geometry.hiddenSep);
    ours.append(m_geometry.alwaysSep.value_or(m_geometry.hiddenSep));
    const double iconX = m_geometry.iconFrame.center().x();
    const auto target = DriftRules::iconRepairTarget(iconX, ours, system);
    if (!target || !m_geometry.canReach(iconX) || !m_geometry.canReach(*target)) {
        return std::nullopt;
    }
    ++m_attempts[iconKey];
    return DragPlan{DragPlan::iconLabel, {iconX, m_barY}, {*target, m_barY}, std::nullopt, 1};
}

std::optional<DragPlan> DragPlanning::separatorOrder() {
    if (m_geometry.separatorsOrdered || !m_geometry.alwaysSep) {
        return std::nullopt;
    }
    const auto count = budget(separatorKey);
    if (!count) {
        return std::nullopt;
    }
    const double target = m_lanes.hiddenBoundary() - laneTolerance;
    if (!m_geometry.canReach(m_geometry.alwaysSep->center().x()) || !m_geometry.canReach(target)) {
        return std::nullopt;
    }
    return DragPlan{DragPlan::separatorLabel,
                    {m_geometry.alwaysSep->center().x(), m_barY},
                    {target, m_barY},
                    std::nullopt,
                    *count};
}

std::optional<DragPlan> DragPlanning::laneMove() {
    for (const ItemFrame &entry : m_geometry.framesByMidX()) {
        if (!BarGeometry::placedOnBar(&entry.frame, entry.id)) {
            continue;
        }
        const auto wanted = m_layout.sectionOf(entry.id);
        if (!wanted) {
            continue;
        }
        const auto zone = m_lanes.laneToMoveInto(*wanted, entry.frame.center().x());
        if (!zone || !m_geometry.canReach(entry.id, entry.frame)) {
            continue;
        }
        const std::optional<LaneDrop> drop = laneDrop(entry, *zone);
        if (!drop || turnsBack(entry.id, entry.frame.center().x(), drop->x)) {
            continue;
        }
        if (const auto count = budget(laneMoveKey(entry.id))) {
            const QString forNow = drop->zone == *zone ? QString() : DragPlan::forNowSuffix;
            return tracked(entry.id.bundleID + DragPlan::laneArrow + rawValue(drop->zone) + forNow,
                           entry, drop->x, *count);
        }
    }
    return std::nullopt;
}

std::optional<DragPlanning::LaneDrop> DragPlanning::laneDrop(const ItemFrame &entry,
                                                             Section zone) const {
    if (const std::optional<double> x = laneTarget(entry.id, zone)) {
        return LaneDrop{zone, *x};
    }
    if (zone != Section::alwaysHidden ||
        !m_lanes.laneToMoveInto(Section::hidden, entry.frame.center().x())) {
        return std::nullopt;
    }
    const std::optional<double> x = laneTarget(entry.id, Section::hidden);
    return x ? std::optional(LaneDrop{Section::hidden, *x}) : std::nullopt;
}

const QRectF *DragPlanning::placedNeighbour(const MenuBarItemID &candidate,
                                            const MenuBarItemID &moved, Section zone) const {
    const QRectF *frame = m_geometry.frameOf(candidate);
    if (candidate == moved || !BarGeometry::placedOnBar(frame, candidate) ||
        m_lanes.laneAt(frame->center().x()) != zone || !m_geometry.canReach(candidate, *frame)) {
        return nullptr;
    }
    return frame;
}

std::optional<double> DragPlanning::laneTarget(const MenuBarItemID &id, Section zone) const {
    const auto range = m_lanes.range(zone);
    const auto landing = m_lanes.landingSpan(zone);
    const auto nearest = [&](double preferred, std::pair<double, double> span) {
        if (const auto x = m_geometry.nearestReachable(preferred, span.first, span.second)) {
            return x;
        }
        return m_geometry.nearestReachable(preferred, landing.first, landing.second);
    };
    const QList<MenuBarItemID> lane = m_layout.ids(zone);
    const qsizetype position = lane.indexOf(id);
    if (range.first <= range.second && position >= 0) {
        QList<const QRectF *> placed;
        QList<double> xs;
        qsizetype placedBefore = 0;
        for (qsizetype i = 0; i < lane.size(); ++i) {
            if (const QRectF *frame = placedNeighbour(lane.at(i), id, zone)) {
                placed.append(frame);
                xs.append(frame->center().x());
                placedBefore += i < position ? 1 : 0;
            }
        }
        const QSet<int> inOrder = DriftRules::longestIncreasingRun(xs);
        const QRectF *previous = nullptr;
        for (qsizetype i = placedBefore - 1; i >= 0 && !previous; --i) {
            previous = inOrder.contains(int(i)) ? placed.at(i) : nullptr;
        }
        const QRectF *next = nullptr;
        for (qsizetype i = placedBefore; i < placed.size() && !next; ++i) {
            next = inOrder.contains(int(i)) ? placed.at(i) : nullptr;
        }
        if (previous || next) {
            return nearest(BarLanes::slotTarget(previous, next, range),
                           BarLanes::landingBetween(previous, next, landing));
        }
    }
    return nearest(fallbackTarget(zone), landing);
}

double DragPlanning::fallbackTarget(Section zone) const {
    const double hidden = m_lanes.hiddenBoundary();
    const double always = m_lanes.alwaysBoundary();
    switch (zone) {
    case Section::alwaysHidden:
        return always - fallbackOffset;
    case Section::hidden:
        return m_geometry.separatorsOrdered ? (hidden + always + 8.0) * 0.5
                                            : hidden - fallbackOffset;
    case Section::shown:
        return m_geometry.hiddenSep.right() + fallbackOffset;
    }
    return hidden;
}

std::optional<DragPlan> DragPlanning::orderMove(Section section) {
    QList<ItemFrame> present;
    for (const MenuBarItemID &id : m_layout.ids(section)) {
        const QRectF *frame = m_geometry.frameOf(id);
        if (BarGeometry::placedOnBar(frame, id) && m_geometry.canReach(id, *frame) &&
            !m_lanes.laneToMoveInto(section, frame->center().x())) {
            present.append({id, *frame});
        }
    }
    if (present.size() < 2 ||
        m_attempts.value(capKey(section), 0) >= DragPlanner::orderPlansPerLane) {
        return std::nullopt;
    }
    const auto range = m_lanes.range(section);
    if (range.first > range.second) {
        return std::nullopt;
    }
    QList<double> xs;
    for (const ItemFrame &entry : present) {
        xs.append(entry.frame.center().x());
    }
    const QSet<int> keep = DriftRules::longestIncreasingRun(xs);
    for (int i = 0; i < present.size(); ++i) {
        const ItemFrame &entry = present.at(i);
        if (keep.contains(i) || m_stubborn.contains(entry.id)) {
            continue;
        }
        const QRectF *previous = nullptr;
        for (int j = i - 1; j >= 0 && !previous; --j) {
            previous = keep.contains(j) ? &present.at(j).frame : nullptr;
        }
        const QRectF *next = nullptr;
        for (int j = i + 1; j < present.size() && !next; ++j) {
            next = keep.contains(j) ? &present.at(j).frame : nullptr;
        }
        const auto [lower, upper] =
            BarLanes::landingBetween(previous, next, m_lanes.landingSpan(section));
        const std::optional<double> target =
            m_geometry.nearestReachable(BarLanes::slotTarget(previous, next, range), lower, upper);
        if (!target || turnsBack(entry.id, entry.frame.center().x(), *target)) {
            continue;
        }
        const auto count = budget(orderKey(entry.id));
        if (!count) {
            continue;
        }
        ++m_attempts[capKey(section)];
        return tracked(DragPlan::orderPrefix + entry.id.bundleID, entry, *target, *count);
    }
    return pairSwap(section, present, range);
}

std::optional<DragPlan> DragPlanning::pairSwap(Section section, const QList<ItemFrame> &present,
                                               std::pair<double, double> range) {
    const auto [lower, upper] = range;
    for (qsizetype k = 0; k + 1 < present.size(); ++k) {
        const ItemFrame &a = present.at(k);
        const ItemFrame &b = present.at(k + 1);
        if (!(b.frame.center().x() < a.frame.center().x())) {
            continue;
        }
        const double aTarget = std::min(
            std::max(lower, b.frame.center().x() - std::max(a.frame.width(), minimumSwapStep)),
            upper);
        const double bTarget = std::min(
            std::max(lower, a.frame.center().x() + std::max(b.frame.width(), minimumSwapStep)),
            upper);
        const bool moveA = canMove(a.id) && m_geometry.canReach(aTarget) &&
                           !turnsBack(a.id, a.frame.center().x(), aTarget);
        const bool moveB = canMove(b.id) && m_geometry.canReach(bTarget) &&
                           !turnsBack(b.id, b.frame.center().x(), bTarget);
        if (!moveA && !moveB) {
            continue;
        }
        const auto count = budget(u"order-swap-"_s + a.id.bundleID + u'-' + b.id.bundleID);
        if (!count) {
            continue;
        }
        ++m_attempts[capKey(section)];
        return moveA ? tracked(DragPlan::swapPrefix + a.id.bundleID, a, aTarget, *count)
                     : tracked(DragPlan::swapPrefix + b.id.bundleID, b, bTarget, *count);
    }
    return std::nullopt;
}

} // namespace zorv
