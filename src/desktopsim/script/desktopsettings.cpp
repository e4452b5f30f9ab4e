#include "script/desktopsettings.h"

namespace zorv {

DesktopSettings::DesktopSettings(DesktopModel &model) : m_model(model) {}

void DesktopSettings::setLayoutPassDelay(std::chrono::nanoseconds delay) {
    m_model.write([&](DesktopState &state, ModelEffects &) { state.layoutPassDelay = delay; });
}

std::chrono::nanoseconds DesktopSettings::layoutPassDelay() const {
    return m_model.read([](const DesktopState &state) { return state.layoutPassDelay; });
}

} // namespace zorv
