#include "layout/itemorder.h"

#include "layout/barlayout.h"

#include <algorithm>

namespace zorv {

namespace {

double room(const DesktopState &state, quint64 itemId) {
    const ItemRecord *item = state.item(itemId);
    if (!item) {
        return 0.0;
    }
    const double width = BarLayout::width(state, *item);
    return width > 0.0 ? width + BarLayout::gap(state, *item) : 0.0;
}

} // namespace

QList<quint64> ItemOrder::movable(const DesktopState &state) {
    QList<quint64> ids;
    for (quint64 id : state.order) {
        const ItemRecord *item = state.item(id);
        if (item && !item->immovable) {
            ids.append(id);
        }
    }
    return ids;
}

void ItemOrder::insertNew(DesktopState &state, quint64 itemId) {
    const ItemRecord *item = state.item(itemId);
    if (!item) {
        return;
    }
    if (item->immovable) {
        state.order.insert(movable(state).size(), itemId);
        return;
    }
    state.order.prepend(itemId);
    moveToRememberedPosition(state, itemId);
}

void ItemOrder::remove(DesktopState &state, quint64 itemId) {
    state.order.removeAll(itemId);
}

bool ItemOrder::moveToRememberedPosition(DesktopState &state, quint64 itemId) {
    const ItemRecord *item = state.item(itemId);
    if (!item || item->immovable ||
        !state.rememberedPositions.contains(rememberKey(state, *item))) {
        return false;
    }
    // Each distance counts the owner's items on its right, so they go back right to left.
    QList<std::pair<double, quint64>> placing;
    for (const quint64 id : movable(state)) {
        const ItemRecord *other = state.item(id);
        if (id != itemId && (other->ownerProcessId != item->ownerProcessId || other->seated)) {
            continue;
        }
        const auto remembered = state.rememberedPositions.constFind(rememberKey(state, *other));
        if (remembered != state.rememberedPositions.cend()) {
            placing.append({*remembered, id});
        }
    }
    std::stable_sort(placing.begin(), placing.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &[distance, id] : std::as_const(placing)) {
        moveToDistance(state, id, distance);
    }
    return true;
}

void ItemOrder::moveToDistance(DesktopState &state, quint64 itemId, double distance) {
    QList<quint64> others = movable(state);
    others.removeAll(itemId);
    moveToIndex(state, itemId, slotForDistance(state, others, distance));
}

qsizetype ItemOrder::slotForDistance(const DesktopState &state, const QList<quint64> &others,
                                     double distance) {
    double covered = 0.0;
    qsizetype rightOf = 0;
    for (auto id = others.crbegin(); id != others.crend(); ++id) {
        if (covered >= distance - slotTolerance) {
            break;
        }
        covered += room(state, *id);
        ++rightOf;
    }
    return others.size() - rightOf;
}

void ItemOrder::moveToIndex(DesktopState &state, quint64 itemId, qsizetype movableIndex) {
    const ItemRecord *item = state.item(itemId);
    if (!item || item->immovable) {
        return;
    }
    state.order.removeAll(itemId);
    const QList<quint64> others = movable(state);
    const qsizetype index = std::clamp<qsizetype>(movableIndex, 0, others.size());
    const qsizetype orderIndex =
        index < others.size() ? state.order.indexOf(others[index]) : others.size();
    state.order.insert(orderIndex, itemId);
}

double ItemOrder::distanceFromRight(const DesktopState &state, quint64 itemId) {
    const QList<quint64> ids = movable(state);
    const qsizetype index = ids.indexOf(itemId);
    double distance = 0.0;
    for (qsizetype right = index + 1; index >= 0 && right < ids.size(); ++right) {
        distance += room(state, ids[right]);
    }
    return distance;
}

void ItemOrder::remember(DesktopState &state, quint64 itemId) {
    const ItemRecord *item = state.item(itemId);
    if (!item || item->immovable || item->autosaveName.isEmpty()) {
        return;
    }
    state.rememberedPositions.insert(rememberKey(state, *item), distanceFromRight(state, itemId));
}

void ItemOrder::rememberItemsOf(DesktopState &state, qint32 ownerProcessId) {
    for (const quint64 id : movable(state)) {
        if (state.item(id)->ownerProcessId == ownerProcessId) {
            remember(state, id);
        }
    }
}

QString ItemOrder::rememberKey(const DesktopState &state, const ItemRecord &item) {
    const AppRecord *owner = state.app(item.ownerProcessId);
    const QString positionKey =
        owner ? owner->positionKey() : QStringLiteral("pid:%1").arg(item.ownerProcessId);
    return DesktopState::rememberKey(positionKey, item.autosaveName);
}

} // namespace zorv
