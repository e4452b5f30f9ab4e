#pragma once

#include "windowlist.h"

#include <QList>

namespace zorv {

class Screens;
class Workspace;

// Other applications' menus open on screen, as the window server lists their pop-up menu windows:
// one the user clicked or one the engine opened for the user. The mouse-down of a drag would
// close it, and a tuck would move its item out from under it, so while one is open a run does not
// drag and the engine's own tucks wait (HeldTuck). A menu left on a display that went away
// counts for nothing. Main thread only.
class OpenMenus {
public:
    OpenMenus(const WindowList &windows, const Workspace &workspace, const Screens &screens);

    // Whether another application has a menu open on a screen that exists.
    [[nodiscard]] bool anyOpen() const;
    // Whether the application `processId` has one open. Which of its items opened it, its item
    // tells: it reads as selected.
    [[nodiscard]] bool openBy(qint32 processId) const;

private:
    // Other applications' pop-up menu windows on a screen that exists.
    [[nodiscard]] QList<OnScreenWindow> menusOnScreen() const;

    const WindowList &m_windows;
    const Workspace &m_workspace;
    const Screens &m_screens;
};

} // namespace zorv
