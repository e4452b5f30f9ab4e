#pragma once

#include "application.h"
#include "cancellation.h"
#include "clock.h"

#include <QList>
#include <QPointer>

#include <functional>
#include <memory>

namespace zorv {

// Switches the application between a regular one (Dock icon, app switcher, main menu) and a
// menu-bar-only accessory one without losing the user's open windows: they are brought back to
// the front at once and again a quarter of a second later, when the system has finished the
// switch. The main menu is built once, on the first switch into the Dock, and kept for later
// switches; it leaves the application when the presence goes. Main thread.
class DockPresence {
public:
    // How long after a switch the windows are brought forward once more.
    static constexpr double settleSeconds = 0.25;

    // `buildMainMenu` makes the main menu the first time one is needed.
    DockPresence(Application &application, Clock &clock, std::function<Menu()> buildMainMenu);
    ~DockPresence();

    void apply(bool show);

private:
    static QCoro::Task<> restoreLater(Application *application, Clock &clock,
                                      QList<QPointer<AppWindow>> windows, CancellationToken token);
    static void restore(Application &application, const QList<QPointer<AppWindow>> &windows,
                        bool activating);

    Application &m_application;
    Clock &m_clock;
    std::function<Menu()> m_buildMainMenu;
    std::shared_ptr<const Menu> m_mainMenu;
    CancellationSource m_lifetime;
};

} // namespace zorv
