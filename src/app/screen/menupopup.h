#pragma once

#include "menurowsmodel.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QQuickItem>

#include <memory>

class QQmlEngine;
class QQuickWindow;

namespace zorv {

class AppWindow;
class SimAppWindows;
class SimMenus;

// Draws the simulated Mac's open pop-up menu: a window of the application (adopted by the window
// server at the pop-up menu level, so the desktop shows it at its frame over everything else)
// below the status item, with the rows of the menu, their views (made from the views' QML files
// with their properties), the highlight and the Option state, and a second such window for the
// open submenu beside it. Hovering and clicking go back to the menus as the user's; a row's view
// handles its own release (it closes the menu, then runs the row). Main thread.
class MenuPopup final : public QObject {
    Q_OBJECT
    Q_PROPERTY(MenuRowsModel *rows READ rows CONSTANT)
    Q_PROPERTY(MenuRowsModel *submenuRows READ submenuRows CONSTANT)

public:
    static inline const QUrl qmlUrl = QUrl(QStringLiteral("qrc:/Zorv/Desktop/screen/StatusMenuPopup.qml"));

    MenuPopup(SimMenus &menus, SimAppWindows &windows, QQmlEngine &engine,
              QObject *parent = nullptr);
    ~MenuPopup() override;

    [[nodiscard]] MenuRowsModel *rows() { return &m_rows; }
    [[nodiscard]] MenuRowsModel *submenuRows() { return &m_submenuRows; }
    // The open menu's window; null while no menu is open.
    [[nodiscard]] QQuickWindow *window() const { return m_main.window; }
    // The open submenu's window; null while no submenu is open.
    [[nodiscard]] QQuickWindow *submenuWindow() const { return m_submenu.window; }

    Q_INVOKABLE void hover(int menuRow);
    Q_INVOKABLE void choose(int menuRow);
    Q_INVOKABLE void hoverInSubmenu(int menuRow);
    Q_INVOKABLE void chooseInSubmenu(int menuRow);
    Q_INVOKABLE void holdOption(bool held);
    Q_INVOKABLE void dismiss();
    // A row's view was made: keep it, so that a release chosen by the script reaches it.
    Q_INVOKABLE void viewMade(int menuRow, QQuickItem *view);
    Q_INVOKABLE void viewAsksToClose();
    Q_INVOKABLE void viewTriggered(int menuRow);

private:
    // A window of the pop-up menu or its submenu and the window server's record of it.
    struct Shown {
        QPointer<QQuickWindow> window;
        std::unique_ptr<AppWindow> server;
    };

    void opened();
    void closed();
    void refresh();
    void refreshSubmenu();
    [[nodiscard]] Shown show(bool submenu, const QRectF &frame);
    static void close(Shown &shown);
    // Releases the mouse over the row's view, as a click on it would.
    bool releaseOnView(int menuRow);

    SimMenus &m_menus;
    SimAppWindows &m_windows;
    QQmlEngine &m_engine;
    MenuRowsModel m_rows;
    MenuRowsModel m_submenuRows;
    // The menu the window shows, kept while a view runs its row after the menu closed.
    std::shared_ptr<const Menu> m_menu;
    std::shared_ptr<const Menu> m_shownSubmenu;
    Shown m_main;
    Shown m_submenu;
    QHash<int, QPointer<QQuickItem>> m_views;
};

} // namespace zorv
