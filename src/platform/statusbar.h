#pragma once

#include "statusitem.h"

#include <memory>

namespace zorv {

// Stands in for the system status bar (NSStatusBar.system): the strip of status items at the
// right of the menu bar, laid out right to left after the fixed system items. This application
// creates its own status items here; other applications' items are read through Accessibility.
// Main thread.
class StatusBar {
public:
    // An item exactly as wide as the bar is thick.
    static constexpr double squareLength = -2.0;
    // An item as wide as its content.
    static constexpr double variableLength = -1.0;
    // Longer lengths are cut to this.
    static constexpr double maximumLength = 10000.0;

    virtual ~StatusBar() = default;

    // A new item at the left end of the status-item area (or at its remembered position once an
    // autosave name is set). Its button's window appears after the next layout pass.
    [[nodiscard]] virtual std::unique_ptr<StatusItem> createStatusItem(double length) = 0;

    // The status bar's thickness in points: how wide a square-length item is.
    [[nodiscard]] virtual double thickness() const = 0;
};

} // namespace zorv
