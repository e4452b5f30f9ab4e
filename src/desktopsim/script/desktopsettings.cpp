#include "script/desktopsettings.h"

namespace zorv {

DesktopSettings::DesktopSettings(DesktopModel &model) : m_model(model) {}

void DesktopSettings::setLayoutPassDelay(std::chrono::nanoseconds delay) {
    m_model.write([&](DesktopState &state, ModelEffects &) { state.layoutPassDelay = delay; });
}

std::chrono::nanoseconds DesktopSettings::layoutPassDelay() const {
    return m_model.read([](const DesktopState &state) { return state.layoutPassDelay; });
}

void DesktopSettings::setThickness(double thickness) {
    m_model.write([&](DesktopState &state, ModelEffects &effects) {
        state.thickness = thickness;
        effects.layoutPass = true;
    });
}

void DesktopSettings::setBarColor(const QColor &color) {
    m_model.write([&](DesktopState &state, ModelEffects &effects) {
        state.barColor = color;
        effects.barChanged = true;
    });
}

void DesktopSettings::setWallpaperColor(const QColor &color) {
    m_model.write([&](DesktopState &state, ModelEffects &effects) {
        state.wallpaperColor = color;
        effects.barChanged = true;
    });
}

} // namespace zorv
