#pragma once

#include <QDateTime>
#include <QString>

namespace zorv {

// What a menu-bar clock item shows at a moment, and how wide that text is. The width comes from a
// fixed table of character advances (about those of the 13-point system font, digits
// proportional), not from the fonts installed here, so a scenario runs the same on every machine.
// The digits' advances alternate, so the clock's width changes with every minute, as a real clock
// with proportional digits does most minutes: whatever sits left of it is pushed about.
class ClockFace {
public:
    // "Tue 1 Dec 9:41" in UTC, English names.
    [[nodiscard]] static QString title(const QDateTime &time);
    // The item's length for a title: the text's advance plus the button's padding, in whole
    // points.
    [[nodiscard]] static double length(const QString &title);
};

} // namespace zorv
