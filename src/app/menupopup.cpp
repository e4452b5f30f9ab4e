#include "menupopup.h"

#include "menus/simmenus.h"
#include "windows/simappwindows.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QtDebug>

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
    m_serverWindow.reset();
    delete m_window;
}

double MenuPopup::menuWidth() const {
    return m_menus.frame().width();
}

void MenuPopup::opened() {
    closed();
    m_menu = m_menus.openMenu();
    refresh();
    QQmlComponent component(&m_engine, qmlUrl);
    QObject *root = component.createWithInitialProperties(
        {{QStringLiteral("popup"), QVariant::fromValue(this)}});
    m_window = qobject_cast<QQuickWindow *>(root);
    if (!m_window) {
        qWarning().noquote() << "Cannot show the menu:" << component.errorString();
        delete root;
        return;
    }
    const QRectF frame = m_menus.frame();
    m_serverWindow = m_windows.adopt(*m_window);
    m_serverWindow->setContentSize(frame.size());
    m_serverWindow->setFrameTopLeftPoint(frame.topLeft());
    m_serverWindow->orderFrontRegardless();
    Q_EMIT geometryChanged();
}

void MenuPopup::closed() {
    // The rows stay: a view may be in the middle of its release, and it goes with its window.
    m_views.clear();
    if (m_serverWindow) {
        m_serverWindow->orderOut();
        m_serverWindow.reset();
    }
    if (m_window) {
        // A view may be in the middle of its release: the window goes once it has returned.
        m_window->deleteLater();
        m_window.clear();
    }
}

void MenuPopup::refresh() {
    if (m_menus.isTracking()) {
        m_rows.setRows(m_menus.openMenu(), m_menus.shownRows(), m_menus.highlightedRow());
    }
}

void MenuPopup::hover(int menuRow) {
    m_menus.userHoversRow(menuRow);
}

void MenuPopup::choose(int menuRow) {
    m_menus.userChoosesRow(menuRow);
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
