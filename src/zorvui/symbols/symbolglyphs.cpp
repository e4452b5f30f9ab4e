#include "symbols/symbolglyphs.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Every glyph draws in white on a transparent 24 × 24 grid; parts drawn with `cut` erase what
// lies below them. The picture is tinted afterwards.
class Pen {
public:
    explicit Pen(QPainter &painter) : m_painter(painter) {}

    void line(std::initializer_list<QPointF> points, qreal width = 2) {
        QPainterPath path;
        auto it = points.begin();
        path.moveTo(*it);
        for (++it; it != points.end(); ++it) {
            path.lineTo(*it);
        }
        stroke(path, width);
    }
    void circle(QPointF centre, qreal radius, qreal width = 2) {
        QPainterPath path;
        path.addEllipse(centre, radius, radius);
        stroke(path, width);
    }
    void disc(QPointF centre, qreal radius) {
        QPainterPath path;
        path.addEllipse(centre, radius, radius);
        fill(path);
    }
    // An arc round `centre` from `startDegrees` through `spanDegrees` (counter-clockwise, 0 at
    // three o'clock).
    void arc(QPointF centre, qreal radius, qreal startDegrees, qreal spanDegrees,
             qreal width = 2) {
        QPainterPath path;
        const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        path.arcMoveTo(box, startDegrees);
        path.arcTo(box, startDegrees, spanDegrees);
        stroke(path, width);
    }
    void roundedRect(const QRectF &rect, qreal radius, qreal width = 2) {
        QPainterPath path;
        path.addRoundedRect(rect, radius, radius);
        stroke(path, width);
    }
    void filledRoundedRect(const QRectF &rect, qreal radius) {
        QPainterPath path;
        path.addRoundedRect(rect, radius, radius);
        fill(path);
    }
    void polygon(std::initializer_list<QPointF> points) {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points)));
        path.closeSubpath();
        fill(path);
    }
    void fill(const QPainterPath &path) { m_painter.fillPath(path, brush()); }
    void stroke(const QPainterPath &path, qreal width) {
        QPen pen(brush(), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        m_painter.strokePath(path, pen);
    }
    // What follows erases instead of drawing.
    void cut() { m_painter.setCompositionMode(QPainter::CompositionMode_DestinationOut); }
    // Back to drawing after cut().
    void paint() { m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver); }

private:
    [[nodiscard]] static QBrush brush() { return QBrush(Qt::white); }
    QPainter &m_painter;
};

void checkmark(Pen &pen, qreal width = 2.4) {
    pen.line({{5.5, 12.5}, {10, 17}, {18.5, 7}}, width);
}

void exclamation(Pen &pen) {
    pen.line({{12, 9}, {12, 14}}, 2.2);
    pen.disc({12, 17.4}, 1.3);
}

void wifiWaves(Pen &pen) {
    const QPointF centre(12, 19);
    pen.arc(centre, 5, 50, 80);
    pen.arc(centre, 10, 50, 80);
    pen.arc(centre, 15, 52, 76);
    pen.disc(centre, 1.9);
}

using Drawing = std::function<void(Pen &)>;

const QHash<QString, Drawing> &drawings() {
    static const QHash<QString, Drawing> table = {
        {u"checkmark"_s, [](Pen &pen) { checkmark(pen); }},
        {u"xmark"_s,
         [](Pen &pen) {
             pen.line({{6, 6}, {18, 18}}, 2.2);
             pen.line({{18, 6}, {6, 18}}, 2.2);
         }},
        {u"circle"_s, [](Pen &pen) { pen.circle({12, 12}, 8.5); }},
        {u"circle.fill"_s, [](Pen &pen) { pen.disc({12, 12}, 9.5); }},
        {u"checkmark.circle.fill"_s,
         [](Pen &pen) {
             pen.disc({12, 12}, 10);
             pen.cut();
             pen.line({{7.5, 12.5}, {10.8, 15.6}, {16.5, 8.8}}, 2.2);
         }},
        {u"chevron.up.chevron.down"_s,
         [](Pen &pen) {
             pen.line({{7.5, 9.5}, {12, 5}, {16.5, 9.5}}, 2.2);
             pen.line({{7.5, 14.5}, {12, 19}, {16.5, 14.5}}, 2.2);
         }},
        {u"chevron.down"_s, [](Pen &pen) { pen.line({{6.5, 9.5}, {12, 15}, {17.5, 9.5}}, 2.2); }},
        {u"line.3.horizontal.decrease"_s,
         [](Pen &pen) {
             pen.line({{3.5, 7}, {20.5, 7}});
             pen.line({{6.5, 12}, {17.5, 12}});
             pen.line({{9.5, 17}, {14.5, 17}});
         }},
        {u"wifi"_s, [](Pen &pen) { wifiWaves(pen); }},
        {u"wifi.slash"_s,
         [](Pen &pen) {
             wifiWaves(pen);
             pen.cut();
             pen.line({{3, 3}, {21, 21}}, 5);
             pen.paint();
             pen.line({{3, 3}, {21, 21}}, 2);
         }},
        {u"battery.100"_s,
         [](Pen &pen) {
             pen.roundedRect({2, 7, 18, 10}, 3, 1.6);
             pen.filledRoundedRect({4.2, 9.2, 13.6, 5.6}, 1.4);
             pen.filledRoundedRect({21, 10, 1.8, 4}, 0.8);
         }},
        {u"speaker.wave.2.fill"_s,
         [](Pen &pen) {
             pen.polygon({{2.5, 9}, {6.5, 9}, {11.5, 4.5}, {11.5, 19.5}, {6.5, 15}, {2.5, 15}});
             pen.arc({11.5, 12}, 4, -45, 90);
             pen.arc({11.5, 12}, 8, -48, 96);
         }},
        {u"dot.radiowaves.right"_s,
         [](Pen &pen) {
             pen.disc({6, 12}, 2.4);
             pen.arc({6, 12}, 6.5, -50, 100);
             pen.arc({6, 12}, 11.5, -50, 100);
         }},
        {u"airplayvideo"_s,
         [](Pen &pen) {
             QPainterPath frame;
             frame.moveTo(7, 17);
             frame.lineTo(4.5, 17);
             frame.quadTo(2.5, 17, 2.5, 15);
             frame.lineTo(2.5, 5.5);
             frame.quadTo(2.5, 3.5, 4.5, 3.5);
             frame.lineTo(19.5, 3.5);
             frame.quadTo(21.5, 3.5, 21.5, 5.5);
             frame.lineTo(21.5, 15);
             frame.quadTo(21.5, 17, 19.5, 17);
             frame.lineTo(17, 17);
             pen.stroke(frame, 1.8);
             pen.polygon({{12, 13.5}, {17.5, 21}, {6.5, 21}});
         }},
        {u"moon.fill"_s,
         [](Pen &pen) {
             QPainterPath moon;
             moon.addEllipse(QPointF(11.5, 12.5), 8.5, 8.5);
             QPainterPath bite;
             bite.addEllipse(QPointF(16.5, 7.5), 7, 7);
             pen.fill(moon.subtracted(bite));
         }},
        {u"play.circle.fill"_s,
         [](Pen &pen) {
             pen.disc({12, 12}, 10);
             pen.cut();
             pen.polygon({{9.5, 7.5}, {16.5, 12}, {9.5, 16.5}});
         }},
        {u"clock"_s,
         [](Pen &pen) {
             pen.circle({12, 12}, 9, 1.8);
             pen.line({{12, 6.5}, {12, 12}, {15.5, 14}}, 1.8);
         }},
        {u"keyboard"_s,
         [](Pen &pen) {
             pen.roundedRect({2, 6, 20, 12}, 2.5, 1.6);
             for (int column = 0; column < 6; ++column) {
                 pen.disc({5 + 2.8 * column, 9.6}, 0.9);
             }
             for (int column = 0; column < 5; ++column) {
                 pen.disc({6.4 + 2.8 * column, 12.2}, 0.9);
             }
             pen.line({{8, 15}, {16, 15}}, 1.6);
         }},
        {u"switch.2"_s,
         [](Pen &pen) {
             pen.line({{3, 8}, {13.5, 8}});
             pen.circle({17.5, 8}, 2.8);
             pen.line({{10.5, 16}, {21, 16}});
             pen.circle({6.5, 16}, 2.8);
         }},
        {u"info.circle"_s,
         [](Pen &pen) {
             pen.circle({12, 12}, 9.5, 1.8);
             pen.disc({12, 7.6}, 1.3);
             pen.line({{12, 11}, {12, 17}}, 2.2);
         }},
        {u"exclamationmark.triangle"_s,
         [](Pen &pen) {
             QPainterPath triangle;
             triangle.moveTo(12, 3);
             triangle.lineTo(21.5, 20);
             triangle.lineTo(2.5, 20);
             triangle.closeSubpath();
             pen.stroke(triangle, 1.8);
             exclamation(pen);
         }},
        {u"exclamationmark.triangle.fill"_s,
         [](Pen &pen) {
             QPainterPath triangle;
             triangle.moveTo(12, 2.5);
             triangle.lineTo(22, 20.5);
             triangle.lineTo(2, 20.5);
             triangle.closeSubpath();
             pen.stroke(triangle, 1.5);
             pen.fill(triangle);
             pen.cut();
             exclamation(pen);
         }},
        {u"questionmark.circle"_s,
         [](Pen &pen) {
             pen.circle({12, 12}, 9.5, 1.8);
             QPainterPath hook;
             hook.moveTo(9, 9.5);
             hook.cubicTo(9, 5.5, 15, 5.5, 15, 9.5);
             hook.cubicTo(15, 11.5, 12, 11.8, 12, 14);
             pen.stroke(hook, 2);
             pen.disc({12, 17.2}, 1.3);
         }},
        {u"tray.and.arrow.down.fill"_s,
         [](Pen &pen) {
             pen.polygon({{2.5, 13}, {8, 13}, {9.5, 16}, {14.5, 16}, {16, 13}, {21.5, 13},
                          {21.5, 20.5}, {2.5, 20.5}});
             pen.line({{12, 2.5}, {12, 11.5}});
             pen.line({{8.5, 8}, {12, 11.5}, {15.5, 8}});
         }},
        {u"checkmark.seal.fill"_s,
         [](Pen &pen) {
             QPainterPath seal;
             const int points = 24;
             for (int i = 0; i < points; ++i) {
                 const qreal angle = 2 * M_PI * i / points;
                 const qreal radius = i % 2 == 0 ? 10.5 : 8.8;
                 const QPointF point(12 + radius * std::cos(angle), 12 + radius * std::sin(angle));
                 i == 0 ? seal.moveTo(point) : seal.lineTo(point);
             }
             seal.closeSubpath();
             pen.fill(seal);
             pen.cut();
             pen.line({{7.8, 12.3}, {10.8, 15.2}, {16.2, 9}}, 2.2);
         }},
        {u"magnifyingglass"_s,
         [](Pen &pen) {
             pen.circle({10, 10}, 6.5);
             pen.line({{15, 15}, {20.5, 20.5}}, 2.4);
         }},
    };
    return table;
}

} // namespace

bool SymbolGlyphs::contains(const QString &name) {
    return drawings().contains(name);
}

QStringList SymbolGlyphs::names() {
    QStringList names = drawings().keys();
    names.sort();
    return names;
}

QImage SymbolGlyphs::image(const QString &name, int pixelSize, const QColor &color) {
    const auto found = drawings().constFind(name);
    if (found == drawings().cend() || pixelSize < 1 || pixelSize > 1024) {
        return {};
    }
    QImage image(pixelSize, pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixelSize / 24.0, pixelSize / 24.0);
    Pen pen(painter);
    (*found)(pen);
    // Tint: keep the drawn coverage, take the colour.
    painter.resetTransform();
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    return image;
}

} // namespace zorv
