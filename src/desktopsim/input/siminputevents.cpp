#include "input/siminputevents.h"

#include "input/inputdispatch.h"
#include "input/simeventsource.h"

namespace zorv {

SimInputEvents::SimInputEvents(DesktopModel &model) : m_model(model) {}

std::unique_ptr<EventSource> SimInputEvents::createEventSource(EventSourceState) {
    return std::make_unique<SimEventSource>(m_model);
}

void SimInputEvents::warpCursor(QPointF location) {
    const auto now = m_model.clock().now();
    m_model.write([&](DesktopState &state, ModelEffects &effects) {
        InputDispatch::warp(state, location, now, effects);
    });
}

std::optional<QPointF> SimInputEvents::cursorLocation() const {
    return m_model.read([](const DesktopState &state) -> std::optional<QPointF> {
        if (!state.input.cursorReadable) {
            return std::nullopt;
        }
        return state.input.cursor;
    });
}

DisplayId SimInputEvents::mainDisplayId() const {
    return m_model.read([](const DesktopState &state) {
        const ScreenRecord *primary = state.primaryScreen();
        return primary ? primary->displayId : DisplayId(0);
    });
}

void SimInputEvents::hideCursor(DisplayId display) {
    m_model.write([&](DesktopState &state, ModelEffects &) {
        ++state.input.hideCounts[display];
        ++state.input.hideCalls;
    });
}

void SimInputEvents::showCursor(DisplayId display) {
    m_model.write([&](DesktopState &state, ModelEffects &) {
        // Showing a cursor that is not hidden changes nothing but is still counted.
        if (auto count = state.input.hideCounts.find(display);
            count != state.input.hideCounts.end() && --*count <= 0) {
            state.input.hideCounts.erase(count);
        }
        ++state.input.showCalls;
    });
}

void SimInputEvents::associateMouseAndCursor(bool connected) {
    m_model.write(
        [&](DesktopState &state, ModelEffects &) { state.input.mouseAssociated = connected; });
}

double SimInputEvents::secondsSinceLastEvent(EventSourceState, EventType type) const {
    const auto now = m_model.clock().now();
    return m_model.read([&](const DesktopState &state) {
        return toSeconds(now - state.input.lastEventAt[static_cast<int>(type)]);
    });
}

} // namespace zorv
