#include "input/simeventsource.h"

#include "input/inputdispatch.h"

namespace zorv {

SimEventSource::SimEventSource(DesktopModel &model) : m_model(model) {}

bool SimEventSource::post(const MouseEvent &event) {
    const auto now = m_model.clock().now();
    m_model.write([&](DesktopState &state, ModelEffects &effects) {
        InputDispatch::mouse(state, event, EventOrigin::Synthetic, now, effects);
    });
    return true;
}

bool SimEventSource::post(const KeyEvent &event) {
    const auto now = m_model.clock().now();
    m_model.write([&](DesktopState &state, ModelEffects &effects) {
        InputDispatch::key(state, event, EventOrigin::Synthetic, now, effects);
    });
    return true;
}

} // namespace zorv
