#pragma once

#include "application/simapplication.h"
#include "menupresenter.h"
#include "menus/barmenutitles.h"
#include "model/desktopmodel.h"

#include <QRectF>

#include <functional>

namespace zorv {

// The simulated Mac's pop-up menus: one open menu at a time, its frame below the status item
// that opened it, the row under the pointer, whether Option is held (which shows each alternate
// row in place of the row before it) and the submenu of the highlighted row, open beside the menu
// (on its left when there is no room on its right). Menus and submenus stay within their screen's
// visible frame, below the bar: one too wide for it is as wide as the screen, one wide enough to
// fit on neither side of its menu lies over it.
// Choosing a standard row closes the menu and then runs the row while the menu's mouse-up is
// the current event; a row with a view is handed to the view handler (the pop-up window, which
// lets the view do what it does on a release), and is treated as a standard row when nothing
// handles it. Drawing is left to whoever listens to changed().
//
// While this application is in front with a main menu of its own, a press on one of its titles
// in the bar opens that title's menu below it; while such a menu is open, the pointer moving
// onto another title (or Left and Right on the keyboard) opens that title's menu instead, and a
// press on the open title closes it.
//
// While a menu is open it tracks the user's input (userEvent): the pointer highlights the row
// under it, a release on a row chooses it, a press outside the menu and its submenu closes it
// without running anything, and the Option flag of key events shows the alternates at once.
// It has the keyboard (see MenuKeys): Up and Down move the highlight in the menu, or in the
// submenu once Right has entered it (Left leaves it); Return chooses the highlighted row (with
// none, or a row that cannot be chosen, it closes the menu); Escape closes; a row's key
// equivalent chooses that row. The user* calls are the script API.
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
    // The bar title whose menu is open, absent when no menu of the main menu is.
    [[nodiscard]] const std::optional<BarMenuTitle> &barTitle() const { return m_barTitle; }
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
    void release(const MenuItem &item, AppEvent event);
    void runAs(const MenuItem &item, AppEvent event);
    // The mouse-up that chooses a row, with Option as the menu shows it.
    [[nodiscard]] AppEvent mouseUp() const;
    // Opens the menu with its top-left corner at `topLeft`, kept within `visible`, its screen's
    // visible frame (both top-left convention; an empty one keeps it nowhere); `barTitle` when it
    // is that title's menu.
    void open(std::shared_ptr<const Menu> menu, QPointF topLeft, const QRectF &visible,
              std::optional<BarMenuTitle> barTitle = std::nullopt);
    // `frame` moved (and narrowed) to lie within `area`, as far as its height allows.
    [[nodiscard]] static QRectF keptOn(QRectF frame, const QRectF &area);

    // The main menu's titles in the bar.
    [[nodiscard]] std::optional<BarMenuTitle> barTitleAt(QPointF location) const;
    // Opens the title's menu below it, the first row that can be chosen highlighted when asked.
    void openBarMenu(const BarMenuTitle &title, bool highlightFirst);
    // Opens the menu of the title `direction` steps along the bar from the open one, going round.
    void stepBarMenu(int direction);
    // A press or a move of the pointer over the bar's titles; whether it was theirs.
    bool barTitleEvent(EventType type, QPointF cursor);

    // The keyboard while a menu is open.
    void keyDown(quint16 keyCode, quint64 flags);
    void moveHighlight(int direction);
    bool enterSubmenu();
    void chooseHighlighted(quint64 flags);

    DesktopModel &m_model;
    SimApplication &m_application;
    std::shared_ptr<const Menu> m_menu;
    QRectF m_frame;
    // The visible frame of the menu's screen, top-left convention.
    QRectF m_visible;
    std::optional<BarMenuTitle> m_barTitle;
    int m_highlighted = -1;
    int m_submenuHighlighted = -1;
    bool m_optionHeld = false;
    std::function<bool(int row)> m_viewHandler;
};

} // namespace zorv
