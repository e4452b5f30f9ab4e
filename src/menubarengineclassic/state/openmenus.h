#pragma once

#include <QList>
#include <QRectF>
#include <QString>

#include <optional>

namespace zorv {

class Screens;
class WindowList;
class Workspace;

// Other applications' menus open on screen, as the window server lists their pop-up menu windows:
// one the user clicked or one the engine opened for the user. The mouse-down of a drag would
// close it, and a tuck would move its item out from under it, so while one is open a run does not
// drag and the engine's own tucks wait: the latest one asked is held until every such menu has
// closed (the user's own asks to tuck are not held). Main thread only.
class OpenMenus {
public:
    OpenMenus(const WindowList &windows, const Workspace &workspace, const Screens &screens);

    [[nodiscard]] bool anyOpen() const;
    // Whether the menu of the item standing at `item`, which `processId` owns, is open: one of
    // its application's menus that opened below it, from its left edge, or pushed left to end
    // at its screen's right edge, where no other item of the application (`itsOtherItems`) could
    // have opened it. A click on the item would close it.
    [[nodiscard]] bool openBelow(qint32 processId, const QRectF &item,
                                 const QList<QRectF> &itsOtherItems) const;

    // Whether a tuck asked with `reason` waits for the menus: not the user's own asks.
    [[nodiscard]] static bool holdsTuck(const QString &reason);
    // Keeps a tuck asked while a menu is open; the latest reason stands.
    void holdTuck(const QString &reason) { m_heldTuck = reason; }
    // A reveal or another tuck since: the held one no longer waits.
    void dropHeldTuck() { m_heldTuck.reset(); }
    [[nodiscard]] bool holdingTuck() const { return m_heldTuck.has_value(); }
    // The reason of the held tuck, once no menu is open.
    [[nodiscard]] std::optional<QString> takeHeldTuck();

private:
    const WindowList &m_windows;
    const Workspace &m_workspace;
    const Screens &m_screens;
    std::optional<QString> m_heldTuck;
};

} // namespace zorv
