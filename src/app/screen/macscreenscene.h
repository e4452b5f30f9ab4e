#pragma once

#include "capture/displayscene.h"
#include "menutitles.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorv {

// Everything one simulated screen shows a person, ready to paint: the desktop picture, the bar
// with the frontmost application's menus and the visible status items, and the camera housing,
// in the system's light or dark appearance. Built from the simulator's DisplayScene, which is
// what its screen captures see: the two agree on where everything is.
struct MacScreenScene {
    DisplayScene display;
    // The desktop picture's file; absent: the desktop colour.
    std::optional<QString> picture;
    bool dark = false;
    QList<MenuTitle> menus;
    // The status item whose menu is open on this screen: drawn selected.
    std::optional<quint64> selectedItem;

    // `application`: the frontmost application's name, empty when none is in front;
    // `ownMenus`: the titles of its main menu, empty when it has none of its own; `openMenu`:
    // the index among them of the title whose menu is open on this screen.
    [[nodiscard]] static MacScreenScene of(const DisplayScene &display,
                                           std::optional<QString> picture, bool dark,
                                           const QString &application,
                                           const QStringList &ownMenus = {},
                                           std::optional<int> openMenu = std::nullopt);

    // What the bar's text and monochrome glyphs are drawn in, and the bar's own colour.
    [[nodiscard]] QColor barTextColor() const;
    [[nodiscard]] QColor barColor() const;
    // What lies under the title or the status item of the open menu.
    [[nodiscard]] QColor selectionColor() const;
    // The item as drawn in this appearance: a monochrome glyph or title (a template image, in
    // the system's terms) follows the bar's text colour; coloured ones keep their colours.
    [[nodiscard]] SceneItem drawnItem(const SceneItem &item) const;

    friend bool operator==(const MacScreenScene &, const MacScreenScene &) = default;
};

} // namespace zorv

Q_DECLARE_METATYPE(zorv::MacScreenScene)
