#pragma once

#include "focusstatus.h"

namespace zorv {

// The simulated Mac's Focus: off until a scenario or a test turns one on. setFocusActive() is
// the script call; it notifies only on a real change. Main thread.
class SimFocusStatus final : public FocusStatus {
    Q_OBJECT

public:
    using FocusStatus::FocusStatus;

    [[nodiscard]] bool isFocusActive() const override { return m_active; }
    void setFocusActive(bool active) {
        if (active != m_active) {
            m_active = active;
            Q_EMIT focusChanged();
        }
    }

private:
    bool m_active = false;
};

} // namespace zorv
