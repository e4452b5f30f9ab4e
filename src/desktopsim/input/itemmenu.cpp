#include "input/itemmenu.h"

#include "layout/barview.h"

#include <algorithm>

namespace zorv {

std::optional<QPointF> ItemMenu::origin(const DesktopState &state, quint64 itemId,
                                        std::chrono::nanoseconds now) {
    const BarView view(state, now);
    const std::optional<BarItemView> window = view.window(itemId);
    const ScreenRecord *screen = window ? state.screen(window->displayId) : nullptr;
    if (!screen) {
        return std::nullopt;
    }
    const QRectF frame = view.topLeft(window->frame);
    const QRectF bounds = view.topLeft(screen->frame);
    const double x = std::max(bounds.left(), std::min(frame.left(), bounds.right() - width));
    const double y = std::clamp(frame.bottom(), bounds.top(), bounds.bottom());
    return QPointF(x, y);
}

} // namespace zorv
