#pragma once

#include "menubaritem.h"
#include "script/barentry.h"

#include <QHash>
#include <QList>

namespace zorv {

// Which section the engine puts each status item of the bar in, by the simulator's item id. The
// engine knows items by identity and the simulator by its own ids; an application's items keep
// their left-to-right order whatever the engine reveals or tucks, so the k-th item of an
// application on the bar is the k-th of that application in the engine's last scan. Items the
// engine has not seen (yet) are left out.
class EngineSections {
public:
    EngineSections() = delete;

    [[nodiscard]] static QHash<quint64, Section> of(const QList<BarEntry> &bar,
                                                    const QList<MenuBarItem> &items);
    // The engine's item for each status item of the bar, matched the same way.
    [[nodiscard]] static QHash<quint64, MenuBarItem> items(const QList<BarEntry> &bar,
                                                           const QList<MenuBarItem> &items);
};

} // namespace zorv
