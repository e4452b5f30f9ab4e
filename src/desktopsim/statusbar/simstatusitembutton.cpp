#include "statusbar/simstatusitembutton.h"

#include "layout/barview.h"

namespace zorv {

namespace {

// The screen holding the larger part of the rectangle (bottom-left convention).
const ScreenRecord *screenHolding(const DesktopState &state, const QRectF &rect) {
    const ScreenRecord *best = nullptr;
    double bestArea = 0.0;
    for (const ScreenRecord &screen : state.screens) {
        const QRectF common = screen.frame.intersected(rect);
        const double area = common.width() * common.height();
        if (area > bestArea) {
            best = &screen;
            bestArea = area;
        }
    }
    return best;
}

} // namespace

SimStatusItemButton::SimStatusItemButton(DesktopModel &model, BarItems &items, quint64 itemId)
    : m_model(model), m_items(items), m_itemId(itemId) {
    // The model announces clicks on the main thread, whichever thread posted the events.
    connect(&m_model, &DesktopModel::clickDelivered, this, [this](const DeliveredClick &click) {
        if (m_itemId != 0 && click.itemId == m_itemId) {
            Q_EMIT clicked(StatusItemClick{click.button, click.modifierFlags});
        }
    });
}

QString SimStatusItemButton::title() const {
    const auto item = m_items.item(m_itemId);
    return item ? item->title : QString();
}

void SimStatusItemButton::setTitle(const QString &title) {
    m_items.setTitle(m_itemId, title);
}

bool SimStatusItemButton::isHidden() const {
    const auto item = m_items.item(m_itemId);
    return item && item->buttonHidden;
}

void SimStatusItemButton::setHidden(bool hidden) {
    m_items.setButtonHidden(m_itemId, hidden);
}

QString SimStatusItemButton::toolTip() const {
    const auto item = m_items.item(m_itemId);
    return item ? item->toolTip : QString();
}

void SimStatusItemButton::setToolTip(const QString &toolTip) {
    m_items.setToolTip(m_itemId, toolTip);
}

QImage SimStatusItemButton::image() const {
    const auto item = m_items.item(m_itemId);
    return item ? item->image : QImage();
}

void SimStatusItemButton::setImage(const QImage &image) {
    m_items.setImage(m_itemId, image);
}

std::optional<StatusItemWindow> SimStatusItemButton::window() const {
    const auto now = m_model.clock().now();
    return m_model.read([&](const DesktopState &state) -> std::optional<StatusItemWindow> {
        const auto view = BarView(state, now).window(m_itemId);
        if (!view) {
            return std::nullopt;
        }
        StatusItemWindow window;
        window.frame = view->frame;
        if (const ScreenRecord *screen = screenHolding(state, view->frame)) {
            window.screen = screen->toScreen();
        }
        // Items hidden by the menus or the camera housing still count as visible.
        window.occlusionVisible = view->onScreen && view->barShown;
        return window;
    });
}

} // namespace zorv
