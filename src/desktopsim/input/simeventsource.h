#pragma once

#include "eventsource.h"
#include "model/desktopmodel.h"

namespace zorv {

// An event source of the simulated desktop: every event it posts reaches the window server at
// once, on the posting thread, as a synthetic event (see InputDispatch).
class SimEventSource final : public EventSource {
public:
    explicit SimEventSource(DesktopModel &model);

    bool post(const MouseEvent &event) override;
    bool post(const KeyEvent &event) override;

private:
    DesktopModel &m_model;
};

} // namespace zorv
