#pragma once

#include "desktopapp.h"
#include "manualclock.h"
#include "simulatedplatform.h"
#include "workerclockdriver.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QPointF>
#include <QString>

#include <optional>

class QQuickWindow;
class QWindow;

namespace zorv {

// Zorv's whole app on a simulated Mac, driven only through the Mac's mouse and keyboard.
class WholeAppTest : public ::testing::Test {
protected:
    // The shipped laptop, on the manual clock's usual start.
    WholeAppTest();
    // `scenario`, on its own start, with the options Zorv is launched with.
    explicit WholeAppTest(const Scenario &scenario, const SimOptions &options = {});

    // Options launching Zorv with the one argument `argument`.
    [[nodiscard]] static SimOptions launchedWith(const QString &argument);

    // Empties Zorv's folder, stores `settingsJson` as its settings, starts Zorv and lets
    // `settleSeconds` of simulated time pass.
    void launch(const QByteArray &settingsJson, double settleSeconds = 3);

    SimulatedDesktop &mac() { return platform.desktop(); }
    void drain() { driver.drain(); }
    void run(double seconds) { driver.run(zorv::seconds(seconds)); }

    // The name of the application in front; empty when none is.
    [[nodiscard]] QString frontApplication();

    void click(QPointF global, MouseButton button = MouseButton::Left);
    // A click on Zorv's icon: by default a left click opens the status menu, a right click
    // reveals the hidden items.
    void clickIcon(MouseButton button = MouseButton::Left);
    // Opens Settings with its row in the status menu; null (a failure added) when it did not open.
    [[nodiscard]] QQuickWindow *openSettingsFromStatusMenu();
    void press(quint16 keyCode, quint64 flags = EventFlags::none);
    void type(const QString &text);

    [[nodiscard]] SimAppWindow *serverOf(const QWindow *window);
    // Where a point of the named control of a window lies on the simulated screen, by its
    // fractions of the control's width and height.
    [[nodiscard]] std::optional<QPointF> pointOf(QQuickWindow *window, const QString &name,
                                                 QPointF fraction = {0.5, 0.5});
    // Clicks the middle of the named control of one of Zorv's windows.
    void clickControl(QQuickWindow *window, const QString &name);
    [[nodiscard]] QQuickWindow *shownWindowWith(const QString &name);

    ManualClock clock;
    SimulatedPlatform platform;
    DesktopApp app;
    WorkerClockDriver driver;
};

} // namespace zorv
