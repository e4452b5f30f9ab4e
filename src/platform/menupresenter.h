#pragma once

#include "menu.h"

#include <QObject>
#include <QPointF>

#include <memory>

namespace zorv {

class StatusItemButton;

// Shows menus the way the system pops them up (NSMenu.popUp, cancelTracking, size): one menu at a
// time, under the status item whose button opened it, until the user chooses a row or clicks
// elsewhere. Choosing a standard row closes the menu, then runs the row's action; rows with a view
// leave that to the view. Main thread.
class MenuPresenter : public QObject {
    Q_OBJECT

public:
    explicit MenuPresenter(QObject *parent = nullptr);
    ~MenuPresenter() override;

    // Opens the menu with its top-left corner at `location` in the button's coordinates (origin at
    // the button's top-left corner, y down), kept on the button's screen. Returns at once; an open
    // menu is closed first.
    virtual void popUp(std::shared_ptr<const Menu> menu, StatusItemButton &button,
                       QPointF location) = 0;
    // Closes the open menu, if any, without running an action.
    virtual void cancelTracking() = 0;
    [[nodiscard]] virtual bool isTracking() const = 0;
    // The width the menu's standard rows need (rows with views do not count); 0 for no rows.
    [[nodiscard]] virtual double naturalWidth(const Menu &menu) const = 0;

Q_SIGNALS:
    void menuOpened();
    void menuClosed();
};

} // namespace zorv
