#pragma once

#include "clock.h"

#include <QColor>

#include <optional>

namespace zorv {

class DesktopPictures;
class Screens;

// Estimates the menu bar's colour from the top of the main screen's desktop picture (its top
// twentieth, or its top row for pictures under 20 pixels high, averaged into one colour), for the
// backdrops of item pictures shown away from the bar. A sample is kept for a minute on the clock;
// a failed fresh sample gives no colour and leaves the kept one as it was. Main thread.
class MenuBarColorSampler {
public:
    static constexpr double cacheSeconds = 60;
    // Luminance below which the bar counts as dark.
    static constexpr double darkBelow = 0.55;

    MenuBarColorSampler(Screens &screens, DesktopPictures &pictures, Clock &clock);

    // The estimated colour; nothing when it cannot be had.
    [[nodiscard]] std::optional<QColor> sampled();
    // Samples as sampled() does, then: true unless a kept sample says the bar is light.
    [[nodiscard]] bool isDark();

    // The average colour of the picture's top strip; nothing for an empty picture.
    [[nodiscard]] static std::optional<QColor> topStripColor(const QImage &picture);
    [[nodiscard]] static bool isDarkColor(const QColor &color);

private:
    struct Sample {
        QColor color;
        bool dark = true;
        MonotonicTime at{};
    };

    Screens &m_screens;
    DesktopPictures &m_pictures;
    Clock &m_clock;
    std::optional<Sample> m_cache;
};

} // namespace zorv
