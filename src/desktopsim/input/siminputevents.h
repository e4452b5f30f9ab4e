#pragma once

#include "inputevents.h"
#include "model/desktopmodel.h"

namespace zorv {

// The input calls of the simulated desktop. All event-state tables read alike: posted events
// reset the idle timers exactly as the user's do. The cursor location cannot be read while the
// readout says so (DesktopReadout::setCursorReadable).
class SimInputEvents final : public InputEvents {
public:
    explicit SimInputEvents(DesktopModel &model);

    [[nodiscard]] std::unique_ptr<EventSource> createEventSource(EventSourceState state) override;
    void warpCursor(QPointF location) override;
    [[nodiscard]] std::optional<QPointF> cursorLocation() const override;
    [[nodiscard]] DisplayId mainDisplayId() const override;
    void hideCursor(DisplayId display) override;
    void showCursor(DisplayId display) override;
    void associateMouseAndCursor(bool connected) override;
    [[nodiscard]] double secondsSinceLastEvent(EventSourceState state,
                                               EventType type) const override;

private:
    DesktopModel &m_model;
};

} // namespace zorv
