#pragma once

#include "clock.h"
#include "scenario/scenario.h"

#include <QList>

namespace zorv {

// Something the chaos runner does itself at a moment of the plan, through the app model, the
// second Mac or the user's hands, choosing what to act on from what stands then with `pick`.
struct ChaosStep {
    enum class Kind {
        // A reveal or re-hide setting changes in the settings window.
        setting,
        // A profile is saved, switched to, renamed or deleted.
        profile,
        // An item is moved to a lane in the settings window.
        move,
        // "Sort my bar".
        sort,
        // The second Mac changes the shared setup.
        cloud,
        // At the next reconcile run (or after a minute without one), the user Command-drags an
        // item or clicks on the bar while it runs.
        handsDuringRun,
        // Zorv quits and is launched again, the Mac keeping where its items stood.
        relaunch,
        // The user asks Zorv to open an item: by the item's hot key, a pick in the search panel,
        // a tap in the secondary bar, or a right or Option click from the Layout pane.
        activation,
    };

    Duration at{};
    Kind kind = Kind::setting;
    quint32 pick = 0;

    friend bool operator==(const ChaosStep &, const ChaosStep &) = default;
};

// A random but repeatable stretch of a Mac's life, from one seed: a laptop with a second
// display, and as timed scenario events applications launching and quitting, the display
// attached, detached and moved, the bar moving between displays, the user's clicks, keys, scrolls
// and Command-drags, hangs that start and end, Accessibility revoked and restored, items' titles
// and widths changing and the system moving Zorv's icon; beside them the runner's own steps.
struct ChaosPlan {
    // Which laptop the plan runs on.
    enum class Mac {
        // The shipped laptop, where Zorv's items are remembered in reach.
        laptop,
        // The crowded laptop with a camera housing on Zorv's first day, with applications whose
        // menus reach 700 to 1100 pt coming to the front and the user asking for items.
        crowdedNotched,
    };

    quint64 seed = 0;
    Mac mac = Mac::laptop;
    Scenario scenario;
    QList<ChaosStep> steps;

    // The display that comes and goes, and where it stands when attached on the right.
    static constexpr DisplayId externalDisplay = 2;

    // `leftOut` names kinds of happening that do not happen (to narrow a failure down):
    // launchOrQuit, display, activateDisplay, click, key, scroll, mouseMove, commandDrag, hang,
    // revokeTrust, title, width, activate, iconToLeftEnd, longMenus, and the steps' kinds
    // (relaunch and activation among them).
    [[nodiscard]] static ChaosPlan generate(quint64 seed, Duration length,
                                            const QStringList &leftOut = {}, Mac mac = Mac::laptop);

    // Every event and step with its time, one a line, for a failing seed's replay.
    [[nodiscard]] QString describe() const;
};

} // namespace zorv
