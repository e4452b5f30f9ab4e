#pragma once

#include "cancellation.h"
#include "runningapplication.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace zorv {

// How an application's status items respond to a Command-drag.
enum class DragAcceptance {
    Always,
    // Only the slow gesture moves them: a long hold before the first dragged event, with Command
    // also held on the keyboard.
    SlowGestureOnly,
    // They swallow the mouse-down and never move.
    Never,
};

// How an accessibility attribute of an application misbehaves.
enum class AttributeFault {
    None,
    Missing,   // no value
    WrongType, // a value of another type (a string)
};

// One running application of the simulated desktop.
struct AppRecord {
    qint32 processId = 0;
    std::optional<QString> bundleIdentifier;
    std::optional<QString> localizedName;
    ActivationPolicy activationPolicy = ActivationPolicy::Accessory;
    // How far its menus reach into the menu bar from the screen's left edge while it is
    // frontmost (the Apple menu included).
    double menusWidth = 0.0;
    // Its menus' titles from its main menu, its application menu first; empty when the system
    // knows them only by how far they reach.
    QStringList menuTitles;
    // The status-item spacing in effect when it launched: apps read it only then.
    double statusItemSpacing = 16.0;
    DragAcceptance dragAcceptance = DragAcceptance::Always;
    // "AXExtrasMenuBar" of its application element, and "AXChildren" of that bar.
    AttributeFault extrasBarFault = AttributeFault::None;
    AttributeFault childrenFault = AttributeFault::None;
    // A hung application answers no accessibility request and no mouse-down.
    bool hung = false;
    // While hung: cancelled when the hang ends, as the application answers again or quits, so
    // that the requests blocked on it wake at that moment.
    std::shared_ptr<CancellationSource> hangEnds;
    // Numbers the default autosave names ("Item-0", "Item-1", ...) of its status items.
    int nextDefaultAutosaveNumber = 0;

    // The key under which the system remembers its status items' positions: the bundle
    // identifier, else the name, else "pid:" and the process id.
    [[nodiscard]] QString positionKey() const;
    // Starts or ends a hang; ending one wakes the requests waiting on it.
    void setHung(bool isHung);

    friend bool operator==(const AppRecord &, const AppRecord &) = default;
};

} // namespace zorv
