#pragma once

#include "engine/engineplatform.h"
#include "simulateddesktop.h"
#include "workspace/simworkspace.h"

#include <QString>

#include <utility>

namespace zorv {

// The engine's services on a simulated Mac, for tests and benchmarks that build the engine
// themselves.
[[nodiscard]] inline EnginePlatform simulatedEnginePlatform(Clock &clock, SimulatedDesktop &desktop,
                                                            SimWorkspace &workspace,
                                                            WorkRunner work, QString folder) {
    return EnginePlatform{clock,
                          desktop.accessibility(),
                          workspace,
                          desktop.statusBar(),
                          desktop.screens(),
                          desktop.windowList(),
                          desktop.screenCapture(),
                          desktop.inputEvents(),
                          std::move(work),
                          std::move(folder),
                          desktop.appPreferences(),
                          desktop.systemFacts()};
}

// For callers that arrange Zorv's own items themselves: the bar keeps a position for each of
// them, `distance` from the right end of the movable items, so the engine places none.
inline void keepZorvPositions(SimulatedDesktop &desktop, double distance) {
    for (const QString &name : {BarItems::zorvAlwaysHiddenSeparatorName,
                                BarItems::zorvHiddenSeparatorName, BarItems::zorvIconName}) {
        desktop.appPreferences().setValue(AppPreferences::preferredPositionKey(name), distance);
    }
}

} // namespace zorv
