#include "screens/simscreens.h"

namespace zorv {

SimScreens::SimScreens(DesktopModel &model, QObject *parent) : Screens(parent), m_model(model) {
    connect(&model, &DesktopModel::screensChanged, this, &Screens::screenParametersChanged);
}

QList<Screen> SimScreens::screens() const {
    return m_model.read([](const DesktopState &state) {
        QList<Screen> screens;
        for (const ScreenRecord &screen : state.screens) {
            screens.append(screen.toScreen());
        }
        return screens;
    });
}

std::optional<Screen> SimScreens::mainScreen() const {
    return m_model.read([](const DesktopState &state) -> std::optional<Screen> {
        if (!state.keyWindowScreen) {
            return std::nullopt;
        }
        const ScreenRecord *screen = state.screen(*state.keyWindowScreen);
        return screen ? std::optional(screen->toScreen()) : std::nullopt;
    });
}

} // namespace zorv
