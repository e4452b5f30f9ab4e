#pragma once

#include "clock.h"

#include <QPointF>
#include <QtGlobal>

#include <optional>

namespace zorv {

class Clock;
class InputEvents;
class OwnEventLog;

// Moves another application's status item the way a user does: by holding Command and dragging
// it along the menu bar, as a paced series of synthetic events posted to the HID tap.
class MoveCoordinator {
public:
    // The pacing of one drag; every wait is in microseconds.
    struct Gesture {
        // Also press the Command key before the mouse-down and release it after the mouse-up.
        bool commandViaKeyboard = false;
        quint32 holdBeforeMove = 0;
        // Nominal distance in points covered by one dragged event.
        double stepPx = 0.0;
        quint32 stepDelay = 0;
        // After the last dragged event of each leg.
        quint32 dwell = 0;
        // After the cursor is warped to the start point.
        quint32 warpSettle = 0;
        // After the Command key-down; taken also when no key is pressed.
        quint32 keySettle = 0;
        quint32 preUpSettle = 0;
        quint32 postUpSettle = 0;

        friend bool operator==(const Gesture &, const Gesture &) = default;

        // The quick gesture most applications accept.
        static const Gesture standard;
        // The slow one, with Command held on the keyboard, for items that ignore the quick one.
        static const Gesture commandKey;
    };

    // A drag shorter than this first moves this far the other way, so the item is surely picked
    // up before it is dropped.
    static constexpr double detourDistance = 80.0;
    static constexpr qint64 minimumSteps = 5;
    // More dragged events per leg than this would keep a drag going for minutes.
    static constexpr qint64 maximumSteps = 100000;

    MoveCoordinator() = delete;

    // Dragged events for a leg of `length` points: the truncated quotient by `stepPx`, never
    // fewer than minimumSteps (a negative stepPx gives that minimum). Absent when the quotient is
    // NaN or above maximumSteps (a stepPx of zero, say).
    [[nodiscard]] static std::optional<qint64> stepsPerLeg(double length, double stepPx);
    // The longest leg of a drag over `distance` points, taking the short-drag detour into account.
    [[nodiscard]] static double longestLeg(double distance);

    // Posts one Command-drag from `from` to `to` (global points, top-left convention) and blocks
    // the calling thread for the gesture's waits on `clock`. Never call it on the main thread.
    // Every event it posts carries the engine's mark in `own`. A gesture without a step count
    // drags in minimumSteps events per leg. Events that cannot be created are skipped; the waits
    // stay. With `unlessInputSince`, posts nothing when, right before its first event, the user's
    // input came at or after that time; false then, and the cursor stays warped to `from`.
    static bool commandDrag(InputEvents &input, Clock &clock, OwnEventLog &own, QPointF from,
                            QPointF to, const Gesture &gesture,
                            std::optional<MonotonicTime> unlessInputSince = std::nullopt);
};

inline constexpr MoveCoordinator::Gesture MoveCoordinator::Gesture::standard{
    false, 30000, 40.0, 3000, 15000, 15000, 10000, 15000, 8000};
inline constexpr MoveCoordinator::Gesture MoveCoordinator::Gesture::commandKey{
    true, 130000, 20.0, 8000, 90000, 45000, 35000, 45000, 25000};

} // namespace zorv
