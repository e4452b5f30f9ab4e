#pragma once

#include "dragplanner.h"
#include "menubaritemid.h"

#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QString>

#include <optional>

namespace zorv {

// What a reconcile run has found and done so far, handed from one of its steps to the next.
struct RunTally {
    QDateTime startedAt;
    int epochAtStart = 0;
    std::optional<qsizetype> neededAtStart;
    qint64 modeledSortMicros = 0;
    DragPlanner::AttemptsLedger attempts;
    QJsonArray moves;
    QHash<MenuBarItemID, bool> orderTook;
    QHash<MenuBarItemID, bool> laneTook;
    int passes = 0;
    std::optional<QString> abortReason;
};

} // namespace zorv
