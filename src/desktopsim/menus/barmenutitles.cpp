#include "menus/barmenutitles.h"

#include "application/menubartitles.h"
#include "layout/barview.h"

namespace zorv {

QList<BarMenuTitle> BarMenuTitles::on(const DesktopState &state, std::chrono::nanoseconds now,
                                      DisplayId displayId) {
    QList<BarMenuTitle> titles;
    const AppRecord *self = state.app(state.currentProcessId);
    const ScreenRecord *screen = state.screen(displayId);
    if (!self || self->menuTitles.isEmpty() || !screen ||
        state.frontmostProcessId != state.currentProcessId) {
        return titles;
    }
    const BarView view(state, now);
    if (!view.barShown(*screen)) {
        return titles;
    }
    const double left = screen->frame.x();
    std::optional<MenuBarTitles::Span> housing;
    if (const auto gap = screen->housingGap()) {
        housing = MenuBarTitles::Span{gap->first - left, gap->second - left};
    }
    const QList<MenuBarTitles::Span> spans =
        MenuBarTitles::spans(self->menuTitles, view.menusRight(*screen) - left, housing);
    const QRectF visibleFrame = view.topLeft(screen->toScreen().visibleFrame);
    const QRectF bar = view.topLeft(screen->barStrip());
    // The first span is the Apple menu's.
    for (qsizetype index = 1; index < spans.size(); ++index) {
        const auto [from, to] = spans[index];
        titles.append({int(index - 1), displayId,
                       QRectF(left + from, bar.top(), to - from, bar.height()), visibleFrame});
    }
    return titles;
}

std::optional<BarMenuTitle> BarMenuTitles::at(const DesktopState &state,
                                              std::chrono::nanoseconds now, QPointF point) {
    const ScreenRecord *screen = BarView(state, now).barAt(point);
    if (!screen) {
        return std::nullopt;
    }
    for (const BarMenuTitle &title : on(state, now, screen->displayId)) {
        if (point.x() >= title.frame.left() && point.x() < title.frame.right()) {
            return title;
        }
    }
    return std::nullopt;
}

} // namespace zorv
