#pragma once

#include "eventmonitors.h"
#include "model/desktopmodel.h"

#include <QList>

namespace zorv {

// Global event monitors on the simulated Mac: the user's input (UserInput) reaches every monitor
// whose mask holds the event's type, unless the event was aimed at this application's own windows.
// Handlers run synchronously on the main thread, in installation order; a handler may add or
// remove monitors. The pointer location is the window server's cursor. Main thread.
class SimEventMonitors final : public EventMonitors {
public:
    explicit SimEventMonitors(DesktopModel &model);

    [[nodiscard]] std::optional<Token> addGlobalMonitor(quint64 mask, Handler handler) override;
    void removeMonitor(Token token) override;
    [[nodiscard]] QPointF mouseLocation() const override;

    // Hands an event the window server sent to another application to the monitors.
    void deliver(const MonitoredEvent &event);
    // How many monitors are installed (inspection).
    [[nodiscard]] int count() const { return int(m_monitors.size()); }
    // Script call: the next installation fails, as when the system refuses a monitor.
    void refuseNextMonitor() { m_refuseNext = true; }

private:
    struct Monitor {
        Token token;
        quint64 mask;
        Handler handler;
    };

    DesktopModel &m_model;
    QList<Monitor> m_monitors;
    Token m_nextToken = 1;
    bool m_refuseNext = false;
};

} // namespace zorv
