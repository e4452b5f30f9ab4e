#include "input/simeventmonitors.h"

#include "layout/coordinates.h"

namespace zorv {

SimEventMonitors::SimEventMonitors(DesktopModel &model) : m_model(model) {}

std::optional<EventMonitors::Token> SimEventMonitors::addGlobalMonitor(quint64 mask,
                                                                       Handler handler) {
    if (std::exchange(m_refuseNext, false) || mask == 0 || !handler) {
        return std::nullopt;
    }
    const Token token = m_nextToken++;
    m_monitors.append({token, mask, std::move(handler)});
    return token;
}

void SimEventMonitors::removeMonitor(Token token) {
    m_monitors.removeIf([token](const Monitor &monitor) { return monitor.token == token; });
}

QPointF SimEventMonitors::mouseLocation() const {
    return m_model.read([](const DesktopState &state) {
        return Coordinates::flipped(state.input.cursor, state.primaryTop());
    });
}

void SimEventMonitors::deliver(const MonitoredEvent &event) {
    const quint64 bit = eventMaskBit(event.type);
    if (bit == 0) {
        return;
    }
    // A copy: handlers may install and remove monitors while the event is handed round.
    QList<Token> listening;
    for (const Monitor &monitor : std::as_const(m_monitors)) {
        if (monitor.mask & bit) {
            listening.append(monitor.token);
        }
    }
    for (const Token token : std::as_const(listening)) {
        const auto found = std::find_if(m_monitors.cbegin(), m_monitors.cend(),
                                        [token](const Monitor &m) { return m.token == token; });
        if (found != m_monitors.cend()) {
            const Handler handler = found->handler;
            handler(event);
        }
    }
}

} // namespace zorv
