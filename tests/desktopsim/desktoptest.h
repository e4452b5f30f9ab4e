#pragma once

#include "manualclock.h"
#include "simulateddesktop.h"

#include <gtest/gtest.h>

namespace zorv::testing {

// A simulated Mac on a manual clock with a layout delay of 0, and helpers to furnish it.
class DesktopTest : public ::testing::Test {
protected:
    static inline const QString zorvBundle = QStringLiteral("app.zorv.Zorv");

    DesktopTest();

    // A 1512 x 982 laptop display without camera housing, or with one when `housing` is set.
    DisplayId addLaptop(double housing = 0.0);
    qint32 launch(const QString &bundleId, double menusWidth = 0.0);
    // An item of the application with the given length and an identifier naming it.
    quint64 addItem(qint32 processId, double length, const QString &name);
    // The control-centre and clock items at the right end.
    void addSystemItems();

    // Lets the pending layout pass run.
    void settle() { clock.settle(); }

    [[nodiscard]] QList<quint64> barOrder(std::optional<DisplayId> display = std::nullopt);
    [[nodiscard]] BarEntry entry(quint64 itemId);
    [[nodiscard]] qint32 self() { return desktop.applications().currentProcessId(); }

    ManualClock clock;
    SimulatedDesktop desktop;
    quint64 controlCenter = 0;
    quint64 clockItem = 0;
};

} // namespace zorv::testing
