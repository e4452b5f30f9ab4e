#pragma once

#include "model/desktopstate.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSet>
#include <QSizeF>
#include <QString>

#include <chrono>
#include <optional>
#include <utility>

namespace zorv {

// What one status item draws, and where.
struct SceneItem {
    quint64 itemId = 0;
    // In points from the display's top-left corner, y down.
    QRectF rect;
    QString title;
    QImage image;
    ItemGlyph glyph;

    friend bool operator==(const SceneItem &, const SceneItem &) = default;
};

// Everything needed to paint one display's top: the wallpaper, the menu bar with the frontmost
// application's menus, the camera housing and the visible status items. Taken under the model's
// lock, painted outside it. Also what a window showing the simulated desktop draws.
struct DisplayScene {
    // In points.
    QSizeF size;
    double barHeight = 24.0;
    bool barShown = true;
    // Where the menus end, in points from the display's left edge.
    double menusRight = 0.0;
    // The x range under the camera housing, from the display's left edge.
    std::optional<std::pair<double, double>> housing;
    QColor barColor;
    QColor wallpaperColor;
    QColor menuColor;
    // Visible items only, left to right.
    QList<SceneItem> items;

    // The display as it stands, leaving out the excluded items.
    [[nodiscard]] static DisplayScene of(const DesktopState &state, const ScreenRecord &screen,
                                         std::chrono::nanoseconds now,
                                         const QSet<quint64> &excluded = {});
    // One item drawn alone in a rectangle of the given size: nothing when its button is hidden.
    [[nodiscard]] static SceneItem item(const ItemRecord &record, const QRectF &rect);

    friend bool operator==(const DisplayScene &, const DisplayScene &) = default;
};

} // namespace zorv
