#pragma once

namespace zorv {

// The range of a pane's slider and what its readout shows of a stored number. Stored numbers come
// from files, imports and other Macs, so a readout never trusts them: a value outside the range
// shows at its nearer end, and one that is not a finite number shows as the setting's default.
struct ReadoutRange {
    double minimum = 0;
    double maximum = 0;
    // The setting's default, shown for a value that is not a number.
    double fallback = 0;

    [[nodiscard]] double clamp(double stored) const;
    // clamp(stored) truncated toward zero: always a whole number within the range.
    [[nodiscard]] int whole(double stored) const;
};

} // namespace zorv
