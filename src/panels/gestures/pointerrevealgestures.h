#pragma once

#include "cancellation.h"
#include "clock.h"
#include "eventmonitors.h"
#include "shell/revealgestures.h"

#include <QCoroTask>
#include <QObject>
#include <QPointer>

#include <optional>

namespace zorv {

class AppModel;
class Screens;

// Hover and scroll reveal through global monitors. Hover: the pointer moving into a screen's
// menu-bar strip while the hidden items are tucked arms a check `hoverDelaySeconds` later, which
// reveals them when the pointer is still in a strip and nothing revealed them meanwhile; leaving
// the strip or switching hover off disarms it. Scroll: a scroll with the pointer in a strip
// toggles the hidden items, at most once per `scrollIntervalSeconds` on the monotonic clock.
// Neither gesture ever tucks by hovering. The monitors and the model must outlive this object or
// be gone together with it; handlers left behind do nothing. Main thread.
class PointerRevealGestures final : public QObject, public RevealGestures {
    Q_OBJECT

public:
    static constexpr double hoverDelaySeconds = 0.25;
    static constexpr double scrollIntervalSeconds = 0.5;

    PointerRevealGestures(AppModel &model, EventMonitors &monitors, Screens &screens, Clock &clock);
    ~PointerRevealGestures() override;

    void update(bool hover, bool scroll) override;

    [[nodiscard]] bool hoverArmed() const { return m_hoverArmed; }
    [[nodiscard]] bool hoverMonitored() const { return m_moveMonitor.has_value(); }
    [[nodiscard]] bool scrollMonitored() const { return m_scrollMonitor.has_value(); }

private:
    void pointerMoved(QPointF point);
    void scrolled();
    void disarmHover();
    [[nodiscard]] bool inMenuBarStrip(QPointF point) const;
    static QCoro::Task<> hoverCheck(QPointer<PointerRevealGestures> self, Clock &clock,
                                    CancellationToken cancelled);

    QPointer<AppModel> m_model;
    EventMonitors &m_monitors;
    Screens &m_screens;
    Clock &m_clock;
    std::optional<EventMonitors::Token> m_moveMonitor;
    std::optional<EventMonitors::Token> m_scrollMonitor;
    bool m_hoverArmed = false;
    CancellationSource m_pendingHover;
    // Monotonic; nothing before the first toggle.
    std::optional<MonotonicTime> m_lastScrollToggle;
};

} // namespace zorv
