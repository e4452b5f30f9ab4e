#include "script/permissions.h"

namespace zorv {

Permissions::Permissions(DesktopModel &model) : m_model(model) {}

void Permissions::setAccessibilityTrusted(bool trusted) {
    m_model.write(
        [&](DesktopState &state, ModelEffects &) { state.accessibilityTrusted = trusted; });
}

bool Permissions::accessibilityTrusted() const {
    return m_model.read([](const DesktopState &state) { return state.accessibilityTrusted; });
}

void Permissions::setScreenRecordingGranted(bool granted) {
    m_model.write(
        [&](DesktopState &state, ModelEffects &) { state.screenRecordingGranted = granted; });
}

bool Permissions::screenRecordingGranted() const {
    return m_model.read([](const DesktopState &state) { return state.screenRecordingGranted; });
}

bool Permissions::trustPromptShown() const {
    return m_model.read([](const DesktopState &state) { return state.trustPromptShown; });
}

} // namespace zorv
