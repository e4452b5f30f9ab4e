#pragma once

#include "application.h"
#include "statusmenu/statusmenubuilder.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

namespace zorv {

class AppModel;
class MenuPresenter;
class ShellCommands;
class StatusItemButton;

// What a click on the application's icon asks for.
struct IconClick {
    bool opensMenu = false;
    // A reveal that takes the always-hidden section too (Option held).
    bool includeAlwaysHidden = false;

    friend bool operator==(const IconClick &, const IconClick &) = default;
};

// Dresses the application's own status item (the engine's icon item) and answers its clicks: a
// click reveals the hidden items in place (or shows the secondary bar when that is on) or opens
// the status menu, as the Icon Click setting says. The menu is built afresh at each opening from
// the engine's reveal state and the model. Main thread.
class StatusItemController : public QObject {
    Q_OBJECT

public:
    // The menu's top-left corner below the button: this far under its bottom edge.
    static constexpr double menuGap = 4;

    // `button` may be null (an item without a button): then nothing is dressed and no click
    // arrives. `state` reads what the menu shows at the moment it opens.
    StatusItemController(StatusItemButton *button, Application &application,
                         MenuPresenter &presenter, AppModel &model, ShellCommands &commands,
                         std::function<StatusMenuState()> state, QObject *parent = nullptr);

    // Sets the icon's picture and starts answering its clicks. Call once.
    void configureIcon();
    // The engine made its icon's status item anew (placing it in reach): the new button is
    // dressed and answers clicks as the old one did, once the icon was configured.
    void replaceButton(StatusItemButton *button);

    // With the default settings a left click opens the menu and a right click or Control-click
    // reveals; with `iconClickOpensMenu` off the two swap. Option with a reveal takes the
    // always-hidden section too. No event reads as a plain left click.
    [[nodiscard]] static IconClick route(const std::optional<AppEvent> &event,
                                         bool iconClickOpensMenu);

    void iconClicked();
    void revealFromIcon(bool includeAlwaysHidden);
    void popUpMenu();

private:
    QPointer<StatusItemButton> m_button;
    Application &m_application;
    MenuPresenter &m_presenter;
    AppModel &m_model;
    ShellCommands &m_commands;
    std::function<StatusMenuState()> m_state;
    bool m_configured = false;
};

} // namespace zorv
