#pragma once

#include "discovereditem.h"

#include <QList>
#include <QSet>

#include <optional>
#include <utility>

namespace zorv {

// What one scan pass reads about the bar beside the items themselves.
struct ScanContext {
    // Per screen with a camera housing, the span of x the housing covers.
    QList<std::pair<double, double>> notchGaps;
    std::optional<double> hiddenSepX;
    std::optional<double> alwaysSepX;
    bool separatorsOrdered = false;
    double barMinX = 0.0;
    // Processes that did not answer this time: their items are the last scan's.
    QSet<qint32> unanswered;
};

// What a scan's discovery read off the main thread.
struct DiscoveryResult {
    bool trusted = false;
    QList<DiscoveredItem> items;
    // Processes that did not answer in time.
    QSet<qint32> unanswered;
    // Where the front application's menus end, and Finder's.
    std::optional<double> menusRight;
    std::optional<double> deskMenusRight;
};

} // namespace zorv
