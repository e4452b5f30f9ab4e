#pragma once

#include "displayid.h"

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

// One screen's bar as the last layout pass left it, items from left to right.
struct ScreenBar {
    DisplayId displayId = 0;
    QList<LaidOutItem> items;

    [[nodiscard]] std::optional<LaidOutItem> find(quint64 itemId) const {
        for (const LaidOutItem &item : items) {
            if (item.itemId == itemId) {
                return item;
            }
        }
        return std::nullopt;
    }

    friend bool operator==(const ScreenBar &, const ScreenBar &) = default;
};

} // namespace zorv
