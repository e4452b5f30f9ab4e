#pragma once

#include <QColor>

#include <functional>
#include <optional>

class QQmlEngine;

namespace zorv {

class AppWindows;
class Clock;
class EventMonitors;
class MenuPresenter;
class Screens;

// What the panels need of the running program: the QML engine with the UI kit installed, the
// window server's side of windows, global event monitors, the screens, the clock, the sampled
// menu-bar colour (nothing when there is no sample), the activation of this application, which
// brings it to the front with the keyboard (optional), and this application's menus (optional),
// one of which keeps the keyboard while it is open. All must outlive the panels.
struct PanelServices {
    QQmlEngine &engine;
    AppWindows &windows;
    EventMonitors &monitors;
    Screens &screens;
    Clock &clock;
    std::function<std::optional<QColor>()> sampledBarColor;
    std::function<void()> activateApp;
    MenuPresenter *menus = nullptr;
};

} // namespace zorv
