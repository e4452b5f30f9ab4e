#include "windows/simappwindows.h"

#include "layout/coordinates.h"
#include "windows/titlebar.h"

#include <algorithm>
#include <utility>

namespace zorv {

namespace {

// The displays before and after a change, each by its frame in the top-left convention of its
// own time, with the part of each display below its menu bar after it, and the primary display.
struct ScreenChange {
    QHash<DisplayId, QRectF> before;
    QHash<DisplayId, QRectF> after;
    QHash<DisplayId, QRectF> areas;
    DisplayId primary = 0;
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

// `frame` made no larger than `area` and pushed into it.
QRectF fittedInto(QRectF frame, const QRectF &area) {
    frame.setSize(frame.size().boundedTo(area.size()));
    frame.moveLeft(std::clamp(frame.left(), area.left(), area.right() - frame.width()));
    frame.moveTop(std::clamp(frame.top(), area.top(), area.bottom() - frame.height()));
    return frame;
}

// Where a window's whole frame goes: along with its display, at the same distance from its
// top-left corner. When that display is gone it goes to the same place on the primary display,
// and when it has shrunk (a lower resolution) it stays on it; either way it is then made no larger
// than the part below that display's menu bar and pushed into it. A window that was on no display
// stays where it is.
QRectF followed(const QRectF &outer, const ScreenChange &change) {
    const std::optional<DisplayId> display = displayUnder(outer, change.before);
    if (!display) {
        return outer;
    }
    const QRectF was = change.before.value(*display);
    const QPointF offset = outer.topLeft() - was.topLeft();
    const auto kept = change.after.constFind(*display);
    if (kept == change.after.cend()) {
        const QRectF primary = change.after.value(change.primary);
        return fittedInto(QRectF(primary.topLeft() + offset, outer.size()),
                          change.areas.value(change.primary));
    }
    const QRectF moved(kept->topLeft() + offset, outer.size());
    const bool shrunk = kept->width() < was.width() || kept->height() < was.height();
    return shrunk ? fittedInto(moved, change.areas.value(*display)) : moved;
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
            const QRectF frame = Coordinates::flipped(screen.frame, state.primaryTop());
            now.after.insert(screen.displayId, frame);
            now.areas.insert(screen.displayId, frame.adjusted(0, screen.menuBarHeight, 0, 0));
        }
        if (const ScreenRecord *primary = state.primaryScreen()) {
            now.primary = primary->displayId;
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
