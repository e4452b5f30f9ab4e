#include "bargeometry.h"

#include "separators/separatorcontroller.h"
#include "statusitem.h"

#include <QJsonArray>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

std::optional<QRectF> windowFrame(StatusItem &item) {
    StatusItemButton *button = item.button();
    if (!button) {
        return std::nullopt;
    }
    const auto window = button->window();
    return window ? std::optional<QRectF>(window->frame) : std::nullopt;
}

double leftEdgeOrMinusOne(StatusItem &item) {
    const auto frame = windowFrame(item);
    return frame ? frame->left() : -1.0;
}

} // namespace

const QRectF *BarGeometry::frameOf(const MenuBarItemID &id) const {
    for (const ItemFrame &entry : frames) {
        if (entry.id == id) {
            return &entry.frame;
        }
    }
    return nullptr;
}

QRectF *BarGeometry::frameOf(const MenuBarItemID &id) {
    // Through the non-const list, which copies frames another snapshot still shares.
    for (ItemFrame &entry : frames) {
        if (entry.id == id) {
            return &entry.frame;
        }
    }
    return nullptr;
}

QList<ItemFrame> BarGeometry::framesByMidX() const {
    QList<ItemFrame> sorted = frames;
    std::stable_sort(sorted.begin(), sorted.end(), [](const ItemFrame &a, const ItemFrame &b) {
        return a.frame.center().x() < b.frame.center().x();
    });
    return sorted;
}

bool BarGeometry::placedOnBar(const QRectF *frame, const MenuBarItemID &id) {
    return frame && frame->width() > 0.0 && !id.isSystemPinned();
}

bool BarGeometry::canReach(const MenuBarItemID &id, const QRectF &frame) const {
    return !reach || !reach->whyNot(id, frame);
}

bool BarGeometry::canReach(double x) const {
    return !reach || reach->reaches(x);
}

std::optional<QString> BarGeometry::coverOf(double lower, double upper) const {
    return reach ? std::optional(reach->whyNotIn(lower, upper)) : std::nullopt;
}

std::optional<double> BarGeometry::nearestReachable(double preferred, double lower,
                                                    double upper) const {
    if (reach) {
        return reach->nearestReachable(preferred, lower, upper);
    }
    return lower <= upper ? std::optional(std::clamp(preferred, lower, upper)) : std::nullopt;
}

BarGeometry BarGeometry::revealed(bool includingAlwaysHidden, double collapsed) const {
    BarGeometry result = *this;
    const double hiddenShift = std::max(0.0, hiddenSep.width() - collapsed);
    const double alwaysShift =
        includingAlwaysHidden && alwaysSep ? std::max(0.0, alwaysSep->width() - collapsed) : 0.0;
    const double hiddenEdge = hiddenSep.left();
    // Without an ordered always-hidden separator no item counts as left of it.
    const bool alwaysCounts = alwaysSep && separatorsOrdered;
    const double alwaysEdge =
        alwaysCounts ? alwaysSep->left() : -std::numeric_limits<double>::infinity();
    for (ItemFrame &entry : result.frames) {
        const double midX = entry.frame.center().x();
        if (midX >= hiddenEdge) {
            continue;
        }
        if (midX < alwaysEdge) {
            // Without them the always-hidden separator grows by as much as the hidden one
            // shrinks, so its items stay where they are.
            entry.frame.translate(includingAlwaysHidden ? hiddenShift + alwaysShift : 0.0, 0.0);
        } else {
            entry.frame.translate(hiddenShift, 0.0);
        }
    }
    result.hiddenSep.setLeft(hiddenSep.left() + hiddenShift);
    if (result.alwaysSep && alwaysCounts) {
        if (includingAlwaysHidden) {
            result.alwaysSep->translate(hiddenShift, 0.0);
            result.alwaysSep->setLeft(result.alwaysSep->left() + alwaysShift);
        } else {
            result.alwaysSep->setLeft(result.alwaysSep->left() - hiddenShift);
            result.alwaysSep->translate(hiddenShift, 0.0);
        }
    }
    return result;
}

std::optional<BarGeometry> BarGeometry::read(SeparatorController &separators,
                                             QList<ItemFrame> frames) {
    const auto hidden = windowFrame(separators.hiddenSep());
    if (!hidden) {
        return std::nullopt;
    }
    const auto icon = windowFrame(separators.icon());
    if (!icon) {
        return std::nullopt;
    }
    BarGeometry geometry;
    geometry.frames = std::move(frames);
    geometry.hiddenSep = *hidden;
    geometry.alwaysSep = windowFrame(separators.alwaysHiddenSep());
    geometry.iconFrame = *icon;
    geometry.iconHidden = separators.iconHidden();
    geometry.iconSafelyRightmost = separators.iconIsSafelyRightmost();
    geometry.separatorsOrdered = separators.separatorsAreOrdered();
    return geometry;
}

QJsonObject BarGeometry::reflowSnapshot(const QList<MenuBarItem> &items,
                                        SeparatorController &separators) {
    QList<MenuBarItem> onBar;
    for (const MenuBarItem &item : items) {
        if (!item.isDormant && item.frame.width() > 0.0) {
            onBar.append(item);
        }
    }
    std::stable_sort(onBar.begin(), onBar.end(), [](const MenuBarItem &a, const MenuBarItem &b) {
        return a.frame.left() < b.frame.left();
    });
    QJsonArray entries;
    for (const MenuBarItem &item : onBar) {
        entries.append(QJsonObject{{u"bundleID"_s, item.id.bundleID},
                                   {u"midX"_s, item.frame.center().x()},
                                   {u"width"_s, item.frame.width()}});
    }
    return {{u"items"_s, entries},
            {u"hiddenSep"_s, leftEdgeOrMinusOne(separators.hiddenSep())},
            {u"alwaysSep"_s, leftEdgeOrMinusOne(separators.alwaysHiddenSep())},
            {u"icon"_s, leftEdgeOrMinusOne(separators.icon())}};
}

} // namespace zorv
