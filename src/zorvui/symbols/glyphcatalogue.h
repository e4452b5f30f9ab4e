#pragma once

#include <QHash>
#include <QString>

#include <functional>

namespace zorv {

class GlyphPen;

// Every symbol's drawing by name, gathered from its families, each kept in a file of its own
// (glyphcatalogue<family>.cpp).
class GlyphCatalogue {
public:
    using Drawing = std::function<void(GlyphPen &)>;
    using Table = QHash<QString, Drawing>;

    GlyphCatalogue() = delete;

    [[nodiscard]] static const Table &drawings();

private:
    // Ticks, crosses, chevrons, circles, warnings and locks that state something.
    [[nodiscard]] static Table marks();
    // The system's own menu bar items and the conditions rules watch.
    [[nodiscard]] static Table items();
    // The commands of the menus, the settings panes and the steps of their guides.
    [[nodiscard]] static Table commands();
};

} // namespace zorv
