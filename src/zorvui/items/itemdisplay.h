#pragma once

#include "menubaritem.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <optional>

namespace zorv {

// How a menu-bar item is pictured away from the menu bar (search rows, the secondary bar, layout
// chips, item pickers): whether its captured picture is a light glyph (to choose the backdrop),
// which system symbol stands for a system item, and the 16-point picture for a list row.
//
// Captured pictures are 32-bit images whose bytes lie in memory as blue, green, red, alpha
// (QImage::Format_ARGB32_Premultiplied on a little-endian machine), as the screen captures give
// them.
class ItemDisplay {
public:
    // The backdrops behind a captured picture when no sampled bar colour is at hand: dark grey
    // behind a light glyph, light grey behind a dark one.
    static constexpr qreal darkBackdropWhite = 0.2;
    static constexpr qreal lightBackdropWhite = 0.94;

    // Whether the captured picture is a light glyph: its sampled, not nearly transparent pixels
    // average above 128 in their second and third bytes. False without a 32-bit picture.
    [[nodiscard]] static bool capturedGlyphIsLight(const MenuBarItem &item);

    // The system symbol for a Control Center or system UI server item, by keywords of its title
    // and accessibility identifier ("switch.2" when none matches); nothing for other items.
    [[nodiscard]] static std::optional<QString> symbol(const MenuBarItem &item);

    // A row's picture of the item: the captured picture (as a template), else the application's
    // icon, else the system symbol (as a template, described by the title or the app name).
    struct MenuIcon {
        // 16 × 16 points, at twice that in pixels.
        QImage image;
        // Drawn in the row's text colour rather than its own colours.
        bool isTemplate = false;
        QString accessibilityDescription;
    };
    [[nodiscard]] static std::optional<MenuIcon> menuIcon(const MenuBarItem &item);

    // The plate behind the item's captured picture: the sampled bar colour when there is one,
    // else opaque grey, dark behind a light glyph and light behind a dark one.
    [[nodiscard]] static QColor backdrop(const MenuBarItem &item,
                                         const std::optional<QColor> &sampledBarColor);

    static constexpr int menuIconPoints = 16;
};

} // namespace zorv
