#pragma once

#include "displayid.h"

#include <QHash>
#include <QList>
#include <QRectF>

#include <optional>

namespace zorv {

// One item as the last layout pass placed it on one screen's bar. The frame uses the
// bottom-left convention; x can lie far left of the screen.
struct LaidOutItem {
    quint64 itemId = 0;
    QRectF frame;

    friend bool operator==(const LaidOutItem &, const LaidOutItem &) = default;
};

// One screen's bar as the last layout pass left it, items from left to right, with each item's
// place among them (an item's window is looked up once per item on every scan).
struct ScreenBar {
    DisplayId displayId = 0;
    QList<LaidOutItem> items;
    QHash<quint64, qsizetype> places;

    [[nodiscard]] static ScreenBar of(DisplayId displayId, QList<LaidOutItem> leftToRight) {
        ScreenBar bar{displayId, std::move(leftToRight), {}};
        bar.places.reserve(bar.items.size());
        // Right to left, so that an id laid out twice finds its leftmost place.
        for (qsizetype place = bar.items.size() - 1; place >= 0; --place) {
            bar.places.insert(bar.items.at(place).itemId, place);
        }
        return bar;
    }

    [[nodiscard]] std::optional<LaidOutItem> find(quint64 itemId) const {
        const auto place = places.constFind(itemId);
        return place == places.cend() ? std::nullopt : std::optional(items.at(*place));
    }

    friend bool operator==(const ScreenBar &a, const ScreenBar &b) {
        return a.displayId == b.displayId && a.items == b.items;
    }
};

} // namespace zorv
