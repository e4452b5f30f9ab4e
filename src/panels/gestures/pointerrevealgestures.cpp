#include "pointerrevealgestures.h"

#include "appmodel.h"
#include "screens.h"
#include "system/revealgeometry.h"

namespace zorv {

PointerRevealGestures::PointerRevealGestures(AppModel &model, EventMonitors &monitors,
                                             Screens &screens, Clock &clock)
    : m_model(&model), m_monitors(monitors), m_screens(screens), m_clock(clock) {}

PointerRevealGestures::~PointerRevealGestures() {
    m_pendingHover.cancel();
    update(false, false);
}

void PointerRevealGestures::update(bool hover, bool scroll) {
    const QPointer<PointerRevealGestures> self(this);
    if (hover && !m_moveMonitor) {
        m_moveMonitor = m_monitors.addGlobalMonitor(EventMask::mouseMoved, [self](const auto &) {
            // The pointer as it is now, not where the event saw it.
            if (self) {
                self->pointerMoved(self->m_monitors.mouseLocation());
            }
        });
    }
    if (!hover && m_moveMonitor) {
        m_monitors.removeMonitor(*std::exchange(m_moveMonitor, std::nullopt));
        disarmHover();
    }
    if (!scroll && m_scrollMonitor) {
        m_monitors.removeMonitor(*std::exchange(m_scrollMonitor, std::nullopt));
    }
    if (scroll && !m_scrollMonitor) {
        m_scrollMonitor = m_monitors.addGlobalMonitor(EventMask::scrollWheel, [self](const auto &) {
            if (self) {
                self->scrolled();
            }
        });
    }
}

bool PointerRevealGestures::inMenuBarStrip(QPointF point) const {
    QList<RevealGeometry::Screen> screens;
    for (const Screen &screen : m_screens.screens()) {
        screens.append({screen.frame, screen.visibleFrame});
    }
    return RevealGeometry::isInMenuBarStrip(point, screens);
}

void PointerRevealGestures::disarmHover() {
    m_hoverArmed = false;
    m_pendingHover.cancel();
}

void PointerRevealGestures::pointerMoved(QPointF point) {
    if (!inMenuBarStrip(point)) {
        disarmHover();
        return;
    }
    if (!m_model || m_model->isRevealed() || m_hoverArmed) {
        return;
    }
    m_hoverArmed = true;
    m_pendingHover = CancellationSource();
    hoverCheck(this, m_clock, m_pendingHover.token());
}

QCoro::Task<> PointerRevealGestures::hoverCheck(QPointer<PointerRevealGestures> self, Clock &clock,
                                                CancellationToken cancelled) {
    const SleepOutcome outcome = co_await clock.sleep(seconds(hoverDelaySeconds), cancelled);
    if (outcome == SleepOutcome::Cancelled || !self || !self->m_hoverArmed) {
        co_return;
    }
    self->m_hoverArmed = false;
    if (!self->inMenuBarStrip(self->m_monitors.mouseLocation())) {
        co_return;
    }
    if (!self->m_model || self->m_model->isRevealed()) {
        co_return;
    }
    self->m_model->revealHidden();
}

void PointerRevealGestures::scrolled() {
    if (!inMenuBarStrip(m_monitors.mouseLocation())) {
        return;
    }
    // Monotonic time: a wall clock set back must not hold toggles off until it catches up.
    const MonotonicTime now = m_clock.now();
    if (m_lastScrollToggle && now - *m_lastScrollToggle <= seconds(scrollIntervalSeconds)) {
        return;
    }
    if (!m_model) {
        return;
    }
    m_lastScrollToggle = now;
    m_model->toggleReveal();
}

} // namespace zorv
