#pragma once

#include "application/simapplication.h"
#include "menupresenter.h"
#include "model/desktopmodel.h"

#include <QRectF>

#include <functional>

namespace zorv {

// The simulated Mac's pop-up menus: one open menu at a time, its frame below the status item
// that opened it (kept inside the screen), the row under the pointer, whether Option is held
// (which shows each alternate row in place of the row before it) and the submenu of the
// highlighted row, open beside the menu (on its left when there is no room on its right).
// Choosing a standard row closes the menu and then runs the row while the menu's mouse-up is
// the current event; a row with a view is handed to the view handler (the pop-up window, which
// lets the view do what it does on a release), and is treated as a standard row when nothing
// handles it. Drawing is left to whoever listens to changed().
//
// While a menu is open it tracks the user's input (userEvent): the pointer highlights the row
// under it, a release on a row chooses it, a press outside the menu and its submenu closes it
// without running anything, Escape closes it, and the Option flag of key events shows the
// alternates at once. The user* calls are the script API.
class SimMenus final : public MenuPresenter {
    Q_OBJECT

public:
    static constexpr double rowHeight = 22.0;
    static constexpr double subtitledRowHeight = 38.0;
    static constexpr double separatorHeight = 11.0;
    static constexpr double verticalPadding = 5.0;
    // A submenu overlaps its menu's edge by this much.
    static constexpr double submenuOverlap = 4.0;

    SimMenus(DesktopModel &model, SimApplication &application);

    void popUp(std::shared_ptr<const Menu> menu, StatusItemButton &button,
               QPointF location) override;
    void cancelTracking() override;
    [[nodiscard]] bool isTracking() const override { return m_menu != nullptr; }
    [[nodiscard]] double naturalWidth(const Menu &menu) const override;

    // The open menu, null when none is.
    [[nodiscard]] const std::shared_ptr<const Menu> &openMenu() const { return m_menu; }
    // Top-left convention.
    [[nodiscard]] QRectF frame() const { return m_frame; }
    [[nodiscard]] bool optionHeld() const { return m_optionHeld; }
    // Indices into the open menu's rows of those shown now, top to bottom.
    [[nodiscard]] QList<int> shownRows() const;
    // The highlighted row's index, -1 for none.
    [[nodiscard]] int highlightedRow() const { return m_highlighted; }
    // The open submenu (of the highlighted row), null for none; its frame (top-left convention,
    // empty without one), the indices of its rows shown now and its highlighted row (-1 for none).
    [[nodiscard]] std::shared_ptr<const Menu> openSubmenu() const;
    [[nodiscard]] QRectF submenuFrame() const;
    [[nodiscard]] QList<int> submenuShownRows() const;
    [[nodiscard]] int submenuHighlightedRow() const { return m_submenuHighlighted; }
    [[nodiscard]] static double heightOf(const MenuItem &item);
    // The rows of `menu` shown with Option held or not.
    [[nodiscard]] static QList<int> shownRowsOf(const Menu &menu, bool optionHeld);

    // Hands a released row with a view to its view; returns false when it did not handle it.
    void setViewHandler(std::function<bool(int row)> handler) {
        m_viewHandler = std::move(handler);
    }

    // One of the user's events (top-left convention), while the window server hands it round;
    // returns whether the open menu took it (then nothing else sees it).
    bool userEvent(EventType type, QPointF cursor, quint16 keyCode, quint64 flags);

    // Script: what the user does while the menu is open. Titles are matched exactly against the
    // shown rows, those of the open submenu first. False when there is no such row.
    void userHoldsOption(bool held);
    bool userHovers(const QString &title);
    void userHoversRow(int row);
    void userHoversInSubmenu(int row);
    bool userChooses(const QString &title);
    void userChoosesRow(int row);
    void userChoosesInSubmenu(int row);
    void userDismisses() { cancelTracking(); }

    // Runs a row of a menu (open or just closed) as its view asks: its action while the mouse-up
    // is the current event.
    void runRow(const MenuItem &item);

Q_SIGNALS:
    // The open menu, the highlight, the Option state or the submenu changed.
    void changed();

private:
    // A row of the menu or of its submenu.
    struct RowHit {
        bool inSubmenu = false;
        int row = -1;
    };

    [[nodiscard]] int shownRowTitled(const Menu &menu, const QList<int> &rows,
                                     const QString &title) const;
    [[nodiscard]] static double heightOf(const Menu &menu, const QList<int> &rows);
    // What lies under a point: nothing (row -1) outside both frames or on their padding.
    [[nodiscard]] std::optional<RowHit> hit(QPointF location) const;
    void pointerMoved(QPointF location);
    void pointerReleased(QPointF location);
    void setMenuOpen(bool open);
    void release(const MenuItem &item);

    DesktopModel &m_model;
    SimApplication &m_application;
    std::shared_ptr<const Menu> m_menu;
    QRectF m_frame;
    // The menu's screen, top-left convention.
    QRectF m_screen;
    int m_highlighted = -1;
    int m_submenuHighlighted = -1;
    bool m_optionHeld = false;
    std::function<bool(int row)> m_viewHandler;
};

} // namespace zorv
