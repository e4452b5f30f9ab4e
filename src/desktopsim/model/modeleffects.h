#pragma once

#include "model/apprecord.h"
#include "model/inputrecords.h"

#include <QList>

#include <chrono>
#include <optional>

namespace zorv {

// What a change to the desktop state asks for once the lock is released: a layout pass,
// notifications, and a later redraw (an auto-hidden bar that will slide in).
struct ModelEffects {
    bool layoutPass = false;
    bool screensChanged = false;
    bool barChanged = false;
    std::optional<std::chrono::nanoseconds> barChangeAfter;
    QList<AppRecord> launched;
    QList<AppRecord> terminated;
    QList<AppRecord> activated;
    QList<DeliveredClick> clicks;
    // Hot keys of this process that were pressed, and key events for this process while it is
    // frontmost.
    QList<HotKeyID> hotKeyPresses;
    QList<KeyEvent> keysForCurrentProcess;

    [[nodiscard]] bool isEmpty() const {
        return !layoutPass && !screensChanged && !barChanged && !barChangeAfter &&
               launched.isEmpty() && terminated.isEmpty() && activated.isEmpty() &&
               clicks.isEmpty() && hotKeyPresses.isEmpty() && keysForCurrentProcess.isEmpty();
    }
};

} // namespace zorv
