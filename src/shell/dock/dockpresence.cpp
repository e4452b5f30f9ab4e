#include "dock/dockpresence.h"

namespace zorv {

DockPresence::DockPresence(Application &application, Clock &clock,
                           std::function<Menu()> buildMainMenu)
    : m_application(application), m_clock(clock), m_buildMainMenu(std::move(buildMainMenu)) {}

DockPresence::~DockPresence() {
    m_lifetime.cancel();
    // A quitting application's menus leave the bar with it; their rows act on the shell.
    if (m_mainMenu && m_application.mainMenu() == m_mainMenu) {
        m_application.setMainMenu(nullptr);
    }
}

void DockPresence::apply(bool show) {
    if (show) {
        if (!m_mainMenu && m_buildMainMenu) {
            m_mainMenu = std::make_shared<const Menu>(m_buildMainMenu());
        }
        m_application.setMainMenu(m_mainMenu);
    }
    const ActivationPolicy wanted = show ? ActivationPolicy::Regular : ActivationPolicy::Accessory;
    if (m_application.activationPolicy() == wanted) {
        return;
    }
    QList<QPointer<AppWindow>> windows;
    for (AppWindow *window : m_application.visibleWindows()) {
        windows.append(window);
    }
    (void)m_application.setActivationPolicy(wanted);
    if (!show) {
        m_application.setMainMenu(nullptr);
    }
    if (windows.isEmpty()) {
        return;
    }
    restore(m_application, windows, true);
    restoreLater(&m_application, m_clock, windows, m_lifetime.token());
}

void DockPresence::restore(Application &application, const QList<QPointer<AppWindow>> &windows,
                           bool activating) {
    if (application.isHidden()) {
        application.unhide();
    }
    for (const QPointer<AppWindow> &window : windows) {
        if (window) {
            window->orderFrontRegardless();
        }
    }
    if (activating) {
        application.activate(true);
        for (auto window = windows.crbegin(); window != windows.crend(); ++window) {
            if (*window) {
                (*window)->makeKeyAndOrderFront();
                break;
            }
        }
    }
}

QCoro::Task<> DockPresence::restoreLater(Application *application, Clock &clock,
                                         QList<QPointer<AppWindow>> windows,
                                         CancellationToken token) {
    // The second pass runs even when the wait was cut short, unless the presence itself is gone.
    (void)co_await clock.sleep(seconds(settleSeconds), token);
    if (token.isCancelled()) {
        co_return;
    }
    restore(*application, windows, false);
}

} // namespace zorv
