#include "bargeometry.h"

#include "separators/separatorcontroller.h"
#include "statusitem.h"

#include <QJsonArray>

#include <algorithm>

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
    return const_cast<QRectF *>(std::as_const(*this).frameOf(id));
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
