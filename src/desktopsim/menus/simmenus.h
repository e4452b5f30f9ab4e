#pragma once

#include "application/simapplication.h"
#include "menupresenter.h"
#include "model/desktopmodel.h"

#include <QRectF>

#include <functional>

namespace zorv {

// The simulated Mac's pop-up menus: one open menu at a time, its frame below the status item
// that opened it (kept inside the screen), the row under the pointer, whether Option is held
// (which shows each alternate row in place of the row before it) and the submenu open beside it.
// Choosing a standard row closes the menu and then runs the row while the menu's mouse-up is
// the current event; a row with a view is handed to the view handler (the pop-up window, which
// lets the view do what it does on a release), and is treated as a standard row when nothing
// handles it. Drawing is left to whoever listens to changed(). The user* calls are the script API.
class SimMenus final : public MenuPresenter {
    Q_OBJECT

public:
    static constexpr double rowHeight = 22.0;
    static constexpr double subtitledRowHeight = 38.0;
    static constexpr double separatorHeight = 11.0;
    static constexpr double verticalPadding = 5.0;

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
    // The open submenu (of the highlighted row), null for none.
    [[nodiscard]] std::shared_ptr<const Menu> openSubmenu() const;
    [[nodiscard]] static double heightOf(const MenuItem &item);

    // Hands a released row with a view to its view; returns false when it did not handle it.
    void setViewHandler(std::function<bool(int row)> handler) {
        m_viewHandler = std::move(handler);
    }

    // Script: what the user does while the menu is open. Titles are matched exactly against the
    // shown rows, those of the open submenu first. False when there is no such row.
    void userHoldsOption(bool held);
    bool userHovers(const QString &title);
    void userHoversRow(int row);
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
    [[nodiscard]] int shownRowTitled(const Menu &menu, const QList<int> &rows,
                                     const QString &title) const;
    void release(const MenuItem &item);

    DesktopModel &m_model;
    SimApplication &m_application;
    std::shared_ptr<const Menu> m_menu;
    QRectF m_frame;
    int m_highlighted = -1;
    bool m_optionHeld = false;
    std::function<bool(int row)> m_viewHandler;
};

} // namespace zorv
