#pragma once

#include "model/desktopmodel.h"

#include <chrono>

namespace zorv {

// How the simulated desktop paces itself: the delay of a layout pass after a change.
// Thread-safe.
class DesktopSettings {
public:
    explicit DesktopSettings(DesktopModel &model);

    void setLayoutPassDelay(std::chrono::nanoseconds delay);
    [[nodiscard]] std::chrono::nanoseconds layoutPassDelay() const;

private:
    DesktopModel &m_model;
};

} // namespace zorv
