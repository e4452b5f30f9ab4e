#include "menupopup.h"

#include "menus/simmenus.h"
#include "windows/qmlwindow.h"
#include "windows/simappwindows.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QQmlEngine>
#include <QQuickWindow>

namespace zorv {

MenuPopup::MenuPopup(SimMenus &menus, SimAppWindows &windows, QQmlEngine &engine, QObject *parent)
    : QObject(parent), m_menus(menus), m_windows(windows), m_engine(engine) {
    connect(&m_menus, &MenuPresenter::menuOpened, this, &MenuPopup::opened);
    connect(&m_menus, &MenuPresenter::menuClosed, this, &MenuPopup::closed);
    connect(&m_menus, &SimMenus::changed, this, &MenuPopup::refresh);
    m_menus.setViewHandler([this](int menuRow) { return releaseOnView(menuRow); });
}

MenuPopup::~MenuPopup() {
    m_menus.setViewHandler({});
    for (Shown *shown : {&m_submenu, &m_main}) {
        shown->server.reset();
        delete shown->window;
    }
}

MenuPopup::Shown MenuPopup::show(bool submenu, const QRectF &frame) {
    Shown shown;
    shown.window = makeQmlWindow(m_engine, qmlUrl,
                                 {{QStringLiteral("popup"), QVariant::fromValue(this)},
                                  {QStringLiteral("submenu"), submenu}},
                                 QStringLiteral("The menu"))
                       .release();
    if (!shown.window) {
        return shown;
    }
    shown.server = m_windows.adopt(*shown.window);
    WindowStyle style = shown.server->style();
    style.level = WindowLevel::popUpMenu;
    style.canBecomeKey = false;
    style.nonActivating = true;
    style.opaque = false;
    shown.server->setStyle(style);
    shown.server->setContentSize(frame.size());
    shown.server->setFrameTopLeftPoint(frame.topLeft());
    shown.server->orderFrontRegardless();
    return shown;
}

void MenuPopup::close(Shown &shown) {
    if (shown.server) {
        shown.server->orderOut();
        shown.server.reset();
    }
    if (shown.window) {
        // A view may be in the middle of its release: the window goes once it has returned.
        shown.window->deleteLater();
        shown.window.clear();
    }
}

void MenuPopup::opened() {
    closed();
    m_menu = m_menus.openMenu();
    refresh();
    m_main = show(false, m_menus.frame());
}

void MenuPopup::closed() {
    // The rows stay: a view may be in the middle of its release, and it goes with its window.
    m_views.clear();
    close(m_submenu);
    m_shownSubmenu.reset();
    close(m_main);
}

void MenuPopup::refresh() {
    if (m_menus.isTracking()) {
        m_rows.setRows(m_menus.openMenu(), m_menus.shownRows(), m_menus.highlightedRow());
    }
    refreshSubmenu();
}

void MenuPopup::refreshSubmenu() {
    const std::shared_ptr<const Menu> submenu = m_menus.openSubmenu();
    if (submenu != m_shownSubmenu) {
        close(m_submenu);
        m_shownSubmenu = submenu;
    }
    if (!submenu) {
        return;
    }
    m_submenuRows.setRows(submenu, m_menus.submenuShownRows(), m_menus.submenuHighlightedRow());
    if (!m_submenu.window) {
        m_submenu = show(true, m_menus.submenuFrame());
    }
}

void MenuPopup::hover(int menuRow) {
    m_menus.userHoversRow(menuRow);
}

void MenuPopup::choose(int menuRow) {
    m_menus.userChoosesRow(menuRow);
}

void MenuPopup::hoverInSubmenu(int menuRow) {
    m_menus.userHoversInSubmenu(menuRow);
}

void MenuPopup::chooseInSubmenu(int menuRow) {
    m_menus.userChoosesInSubmenu(menuRow);
}

void MenuPopup::holdOption(bool held) {
    m_menus.userHoldsOption(held);
}

void MenuPopup::dismiss() {
    m_menus.userDismisses();
}

void MenuPopup::viewMade(int menuRow, QQuickItem *view) {
    m_views.insert(menuRow, view);
}

void MenuPopup::viewAsksToClose() {
    m_menus.cancelTracking();
}

void MenuPopup::viewTriggered(int menuRow) {
    if (m_menu && menuRow >= 0 && menuRow < m_menu->items.size()) {
        // Kept: running the row may open another menu.
        const std::shared_ptr<const Menu> menu = m_menu;
        m_menus.runRow(menu->items[menuRow]);
    }
}

bool MenuPopup::releaseOnView(int menuRow) {
    const QPointer<QQuickItem> view = m_views.value(menuRow);
    if (!view || !view->window()) {
        return false;
    }
    QQuickWindow *window = view->window();
    const QPointF local(view->width() / 2, view->height() / 2);
    const QPointF scene = view->mapToScene(local);
    QMouseEvent press(QEvent::MouseButtonPress, scene, scene, window->mapToGlobal(scene),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, scene, scene, window->mapToGlobal(scene),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &release);
    return true;
}

} // namespace zorv
