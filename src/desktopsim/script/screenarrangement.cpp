#include "script/screenarrangement.h"

#include "input/itemmenu.h"
#include "layout/restingwidths.h"

#include <algorithm>

namespace zorv {

namespace {

// Keeps the primary screen's corner at the origin.
void rebase(DesktopState &state) {
    if (state.screens.isEmpty()) {
        return;
    }
    const QPointF offset = state.screens.front().frame.topLeft();
    for (ScreenRecord &screen : state.screens) {
        screen.frame.translate(-offset);
    }
}

QList<QRectF> frames(const DesktopState &state) {
    QList<QRectF> frames;
    for (const ScreenRecord &screen : state.screens) {
        frames.append(screen.frame);
    }
    return frames;
}

} // namespace

ScreenArrangement::ScreenArrangement(DesktopModel &model) : m_model(model) {}

template <typename Fn> bool ScreenArrangement::change(DisplayId displayId, Fn &&fn) {
    const auto now = m_model.clock().now();
    return m_model.write([&](DesktopState &state, ModelEffects &effects) {
        ScreenRecord *screen = state.screen(displayId);
        if (!screen) {
            return false;
        }
        const QList<QRectF> before = frames(state);
        fn(state, *screen);
        rebase(state);
        if (frames(state) != before) {
            ItemMenu::displaysChanged(state, now);
        }
        effects.screensChanged = true;
        effects.layoutPass = true;
        return true;
    });
}

DisplayId ScreenArrangement::add(const ScreenDescription &description) {
    const auto now = m_model.clock().now();
    return m_model.write([&](DesktopState &state, ModelEffects &effects) {
        ScreenRecord screen;
        screen.displayId = state.nextDisplayId++;
        screen.name = description.name;
        screen.scale = description.scale;
        screen.menuBarHeight = description.menuBarHeight;
        screen.cameraHousingWidth = description.cameraHousingWidth;
        screen.notHiding = description.notHiding;
        screen.autoHidesMenuBar = description.autoHidesMenuBar;
        QPointF origin(0.0, 0.0);
        if (description.origin) {
            origin = *description.origin;
        } else if (!state.screens.isEmpty()) {
            double right = 0.0;
            for (const ScreenRecord &other : state.screens) {
                right = std::max(right, other.frame.right());
            }
            origin = QPointF(right, state.primaryTop() - description.size.height());
        }
        screen.frame = QRectF(origin, description.size);
        state.screens.append(screen);
        RestingWidths::screenAppeared(state, screen.displayId);
        rebase(state);
        if (!state.keyWindowScreen) {
            state.keyWindowScreen = screen.displayId;
        }
        ItemMenu::displaysChanged(state, now);
        effects.screensChanged = true;
        effects.layoutPass = true;
        return screen.displayId;
    });
}

bool ScreenArrangement::remove(DisplayId displayId) {
    const auto now = m_model.clock().now();
    return m_model.write([&](DesktopState &state, ModelEffects &effects) {
        const auto removed = state.screens.removeIf(
            [&](const ScreenRecord &screen) { return screen.displayId == displayId; });
        if (removed == 0) {
            return false;
        }
        rebase(state);
        RestingWidths::screenRemoved(state, displayId);
        state.input.autoHide.remove(displayId);
        if (state.keyWindowScreen == displayId) {
            state.keyWindowScreen.reset();
            if (const ScreenRecord *primary = state.primaryScreen()) {
                state.keyWindowScreen = primary->displayId;
            }
        }
        ItemMenu::displaysChanged(state, now);
        effects.screensChanged = true;
        effects.layoutPass = true;
        return true;
    });
}

bool ScreenArrangement::move(DisplayId displayId, QPointF origin) {
    return change(displayId,
                  [&](DesktopState &, ScreenRecord &screen) { screen.frame.moveTopLeft(origin); });
}

bool ScreenArrangement::resize(DisplayId displayId, QSizeF size) {
    return change(displayId,
                  [&](DesktopState &, ScreenRecord &screen) { screen.frame.setSize(size); });
}

bool ScreenArrangement::setMainScreen(std::optional<DisplayId> displayId) {
    const auto now = m_model.clock().now();
    return m_model.write([&](DesktopState &state, ModelEffects &effects) {
        if (displayId && !state.screen(*displayId)) {
            return false;
        }
        const ScreenRecord *active = state.activeScreen();
        state.keyWindowScreen = displayId;
        if (state.activeScreen() != active) {
            ItemMenu::displaysChanged(state, now);
        }
        effects.screensChanged = true;
        effects.layoutPass = true;
        return true;
    });
}

bool ScreenArrangement::setAutoHidesMenuBar(DisplayId displayId, bool autoHides) {
    return change(displayId, [&](DesktopState &state, ScreenRecord &screen) {
        screen.autoHidesMenuBar = autoHides;
        state.input.autoHide.remove(displayId);
    });
}

bool ScreenArrangement::setNotHiding(DisplayId displayId, bool notHiding) {
    return change(displayId,
                  [&](DesktopState &, ScreenRecord &screen) { screen.notHiding = notHiding; });
}

QList<ScreenRecord> ScreenArrangement::screens() const {
    return m_model.read([](const DesktopState &state) { return state.screens; });
}

} // namespace zorv
