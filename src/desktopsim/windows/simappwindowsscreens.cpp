#include "windows/simappwindows.h"

#include "layout/coordinates.h"
#include "windows/titlebar.h"

#include <algorithm>
#include <utility>

namespace zorv {

namespace {

// The displays before and after a change, each by its frame in the top-left convention of its
// own time, and the primary display after it with the part below its menu bar.
struct ScreenChange {
    QHash<DisplayId, QRectF> before;
    QHash<DisplayId, QRectF> after;
    QRectF primary;
    QRectF primaryArea;
};

// The display that showed most of the frame, if any showed some of it (the lower id on a tie).
std::optional<DisplayId> displayUnder(const QRectF &outer,
                                      const QHash<DisplayId, QRectF> &screens) {
    std::optional<DisplayId> best;
    double bestArea = 0.0;
    for (auto screen = screens.cbegin(); screen != screens.cend(); ++screen) {
        const QRectF shared = screen.value().intersected(outer);
        const double area = shared.width() * shared.height();
        if (area > bestArea || (area > 0.0 && area == bestArea && screen.key() < *best)) {
            best = screen.key();
            bestArea = area;
        }
    }
    return best;
}

// Where a window's whole frame goes: along with its display, or, when that display is gone, to
// the same place on the primary display, then made no larger than the part below the menu bar
// and pushed into it. A window that was on no display stays where it is.
QRectF followed(const QRectF &outer, const ScreenChange &change) {
    const std::optional<DisplayId> display = displayUnder(outer, change.before);
    if (!display) {
        return outer;
    }
    const QPointF offset = outer.topLeft() - change.before.value(*display).topLeft();
    const auto kept = change.after.constFind(*display);
    if (kept != change.after.cend()) {
        return QRectF(kept->topLeft() + offset, outer.size());
    }
    const QRectF &area = change.primaryArea;
    QRectF placed(change.primary.topLeft() + offset, outer.size().boundedTo(area.size()));
    placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() - placed.width()));
    placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() - placed.height()));
    return placed;
}

// The content frame of a window whose title bar takes `titleBar` points above it, moved as its
// whole frame is.
QRectF followedContent(const QRectF &content, double titleBar, const ScreenChange &change) {
    const QRectF outer = followed(content.adjusted(0, -titleBar, 0, 0), change);
    return outer.adjusted(0, titleBar, 0, 0);
}

} // namespace

void SimAppWindows::followScreens() {
    ScreenChange change = m_model.read([](const DesktopState &state) {
        ScreenChange now;
        for (const ScreenRecord &screen : state.screens) {
            now.after.insert(screen.displayId,
                             Coordinates::flipped(screen.frame, state.primaryTop()));
        }
        if (const ScreenRecord *primary = state.primaryScreen()) {
            now.primary = now.after.value(primary->displayId);
            now.primaryArea = now.primary.adjusted(0, primary->menuBarHeight, 0, 0);
        }
        return now;
    });
    change.before = std::exchange(m_screenFrames, change.after);
    // With no display left the windows keep their frames until one comes.
    if (change.after.isEmpty()) {
        m_screenFrames = std::move(change.before);
        return;
    }
    for (SimAppWindow *window : windows()) {
        WindowRecord &record = window->m_record;
        const double titleBar = record.frame.top() - TitleBar::outerFrame(record).top();
        const QRectF frame = followedContent(record.frame, titleBar, change);
        window->m_restoreFrame = followedContent(window->m_restoreFrame, titleBar, change);
        if (frame != record.frame) {
            record.frame = frame;
            window->mirror();
        }
    }
}

} // namespace zorv
