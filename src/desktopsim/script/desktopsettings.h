#pragma once

#include "model/desktopmodel.h"

#include <QColor>

#include <chrono>

namespace zorv {

// How the simulated desktop looks and paces itself: the delay of a layout pass after a change,
// the status bar's thickness (the square length), and the colours captures are painted with.
// Thread-safe.
class DesktopSettings {
public:
    explicit DesktopSettings(DesktopModel &model);

    void setLayoutPassDelay(std::chrono::nanoseconds delay);
    [[nodiscard]] std::chrono::nanoseconds layoutPassDelay() const;
    void setThickness(double thickness);
    void setBarColor(const QColor &color);
    void setWallpaperColor(const QColor &color);

private:
    DesktopModel &m_model;
};

} // namespace zorv
