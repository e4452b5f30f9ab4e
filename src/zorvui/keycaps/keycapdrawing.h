#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <QStringList>

class QPainter;

namespace zorv {

// Turns key names into key-cap labels and measures, draws and describes a row of small rounded
// key caps: in menu rows, the status-menu header, the shortcut recorder and inline in running
// text. Sizes are in points (logical pixels). Nothing is cached: fonts and metrics are built on
// each call.
class KeyCapDrawing {
public:
    // `Menu`: caps in menu rows (a little vertical padding, softer ink); `Prose`: caps inside
    // running text (no vertical padding, stronger ink).
    enum class Weight { Menu, Prose };

    // Cap labels from a key description: "command+1" gives "⌘" and "1" (names are
    // case-sensitive, empty pieces dropped), a display text such as "⌃⌥Space" one cap per leading
    // modifier glyph and one for the rest, anything else one cap of the whole text.
    [[nodiscard]] static QStringList keys(const QString &text);

    // The size of the row: the caps side by side 2 apart, rounded up; an empty row is 0 wide but
    // as high as any other.
    [[nodiscard]] static QSizeF size(const QStringList &keys, qreal pointSize, Weight weight);
    // Draws the row with the first cap's top-left corner at `origin`, in `color` at the weight's
    // alphas. An empty row draws nothing.
    static void draw(QPainter &painter, const QStringList &keys, qreal pointSize, QPointF origin,
                     const QColor &color, Weight weight);
    // The row drawn in `color` on a transparent image of size() at the device pixel ratio.
    [[nodiscard]] static QImage image(const QStringList &keys, qreal pointSize, Weight weight,
                                      const QColor &color, qreal devicePixelRatio);
    // How a screen reader says the row: modifier glyphs as words, "⌘ ⇧ K" as "command shift K".
    [[nodiscard]] static QString spoken(const QStringList &keys);

    // The labels' font for the point size: round(0.84 × size), medium weight.
    [[nodiscard]] static QFont font(qreal pointSize);
};

} // namespace zorv
