#include "layout/barview.h"

#include "layout/coordinates.h"

#include <algorithm>

namespace zorv {

BarView::BarView(const DesktopState &state, std::chrono::nanoseconds now)
    : m_state(state), m_now(now) {}

bool BarView::barShown(const ScreenRecord &screen) const {
    if (!screen.autoHidesMenuBar) {
        return true;
    }
    const AutoHideState autoHide = m_state.input.autoHide.value(screen.displayId);
    return autoHide.heldOpen ||
           (autoHide.restingSince && m_now - *autoHide.restingSince >= autoHideRevealDelay);
}

double BarView::menusRight(const ScreenRecord &screen) const {
    double right = screen.frame.x();
    if (m_state.frontmostProcessId) {
        if (const AppRecord *front = m_state.app(*m_state.frontmostProcessId)) {
            right += front->menusWidth;
        }
    }
    // Menus that reach the camera housing continue right of it.
    if (const auto gap = screen.housingGap(); gap && right > gap->first) {
        right += gap->second - gap->first;
    }
    return right;
}

BarItemView BarView::view(const ScreenRecord &screen, const LaidOutItem &laidOut) const {
    BarItemView view;
    view.itemId = laidOut.itemId;
    view.displayId = screen.displayId;
    view.frame = laidOut.frame;
    view.barShown = barShown(screen);
    if (!view.barShown) {
        view.frame.moveTop(screen.frame.bottom());
    }
    const double shownLeft = std::max(view.frame.left(), screen.frame.left());
    const double shownRight = std::min(view.frame.right(), screen.frame.right());
    view.onScreen = shownRight > shownLeft;
    if (view.onScreen) {
        view.shownPart =
            QRectF(shownLeft, view.frame.top(), shownRight - shownLeft, view.frame.height());
    }
    view.underMenus = view.onScreen && shownLeft < menusRight(screen);
    const double centre = laidOut.frame.center().x();
    if (const auto gap = screen.housingGap()) {
        view.underHousing =
            laidOut.frame.width() > 0.0 && centre >= gap->first && centre <= gap->second;
    }
    if (const ItemRecord *item = m_state.item(laidOut.itemId)) {
        view.buttonHidden = item->buttonHidden;
    }
    return view;
}

QList<BarItemView> BarView::items(DisplayId displayId) const {
    QList<BarItemView> views;
    const ScreenRecord *screen = m_state.screen(displayId);
    const ScreenBar *bar = m_state.bar(displayId);
    if (!screen || !bar) {
        return views;
    }
    for (const LaidOutItem &laidOut : bar->items) {
        if (m_state.item(laidOut.itemId)) {
            views.append(view(*screen, laidOut));
        }
    }
    return views;
}

std::optional<BarItemView> BarView::item(DisplayId displayId, quint64 itemId) const {
    const ScreenRecord *screen = m_state.screen(displayId);
    const ScreenBar *bar = m_state.bar(displayId);
    if (!screen || !bar || !m_state.item(itemId)) {
        return std::nullopt;
    }
    const auto laidOut = bar->find(itemId);
    if (!laidOut) {
        return std::nullopt;
    }
    return view(*screen, *laidOut);
}

std::optional<BarItemView> BarView::window(quint64 itemId) const {
    const ScreenRecord *active = m_state.activeScreen();
    if (!active) {
        return std::nullopt;
    }
    return item(active->displayId, itemId);
}

const ScreenRecord *BarView::screenAt(QPointF point) const {
    for (const ScreenRecord &screen : m_state.screens) {
        const QRectF frame = topLeft(screen.frame);
        if (point.x() >= frame.left() && point.x() < frame.right() && point.y() >= frame.top() &&
            point.y() < frame.bottom()) {
            return &screen;
        }
    }
    return nullptr;
}

const ScreenRecord *BarView::barAt(QPointF point) const {
    const ScreenRecord *screen = screenAt(point);
    if (!screen || !barShown(*screen)) {
        return nullptr;
    }
    const QRectF strip = topLeft(screen->barStrip());
    return point.y() < strip.bottom() ? screen : nullptr;
}

std::optional<BarItemView> BarView::hit(QPointF point) const {
    const ScreenRecord *screen = barAt(point);
    if (!screen) {
        return std::nullopt;
    }
    if (const auto gap = screen->housingGap();
        gap && point.x() >= gap->first && point.x() <= gap->second) {
        return std::nullopt;
    }
    for (const BarItemView &candidate : items(screen->displayId)) {
        if (candidate.visible() && point.x() >= candidate.shownPart.left() &&
            point.x() < candidate.shownPart.right()) {
            return candidate;
        }
    }
    return std::nullopt;
}

QRectF BarView::topLeft(const QRectF &bottomLeftRect) const {
    return Coordinates::flipped(bottomLeftRect, m_state.primaryTop());
}

} // namespace zorv
