#include "symbols/symbolglyphs.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

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
    void arc(QPointF centre, qreal radius, qreal startDegrees, qreal spanDegrees, qreal width = 2) {
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
    void dashed(const QPainterPath &path, qreal width, const QList<qreal> &pattern) {
        QPen pen(brush(), width, Qt::CustomDashLine, Qt::FlatCap, Qt::RoundJoin);
        pen.setDashPattern(pattern);
        m_painter.strokePath(path, pen);
    }
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

// The outline of a seal with twelve points round the grid's middle.
QPainterPath seal(qreal outer, qreal inner) {
    QPainterPath path;
    const int points = 24;
    for (int i = 0; i < points; ++i) {
        const qreal angle = 2 * M_PI * i / points;
        const qreal radius = i % 2 == 0 ? outer : inner;
        const QPointF point(12 + radius * std::cos(angle), 12 + radius * std::sin(angle));
        i == 0 ? path.moveTo(point) : path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

void eye(Pen &pen) {
    QPainterPath lid;
    lid.moveTo(2, 12);
    lid.cubicTo(6, 5, 18, 5, 22, 12);
    lid.cubicTo(18, 19, 6, 19, 2, 12);
    pen.stroke(lid, 1.7);
    pen.disc({12, 12}, 3.4);
}

// The diagonal stroke of a crossed-out symbol: a `gap`-wide cut through what is drawn, then a
// `width`-wide line in it.
void slash(Pen &pen, QPointF from, QPointF to, qreal gap, qreal width) {
    pen.cut();
    pen.line({from, to}, gap);
    pen.paint();
    pen.line({from, to}, width);
}

// A four-pointed star round `centre`, `radius` to its points.
void sparkle(Pen &pen, QPointF centre, qreal radius) {
    const qreal waist = radius * 0.28;
    pen.polygon({{centre.x(), centre.y() - radius},
                 {centre.x() + waist, centre.y() - waist},
                 {centre.x() + radius, centre.y()},
                 {centre.x() + waist, centre.y() + waist},
                 {centre.x(), centre.y() + radius},
                 {centre.x() - waist, centre.y() + waist},
                 {centre.x() - radius, centre.y()},
                 {centre.x() - waist, centre.y() - waist}});
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
        {u"circle"_s,
         [](Pen &pen) {
             pen.circle({12, 12}, 8.5);
         }},
        {u"circle.fill"_s,
         [](Pen &pen) {
             pen.disc({12, 12}, 9.5);
         }},
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
        {u"chevron.down"_s,
         [](Pen &pen) {
             pen.line({{6.5, 9.5}, {12, 15}, {17.5, 9.5}}, 2.2);
         }},
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
             slash(pen, {3, 3}, {21, 21}, 5, 2);
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
        {u"checkmark.icloud"_s,
         [](Pen &pen) {
             QPainterPath cloud;
             cloud.moveTo(6.5, 19);
             cloud.cubicTo(3.4, 19, 1.5, 16.9, 1.5, 14.4);
             cloud.cubicTo(1.5, 12, 3.3, 10.1, 5.6, 9.9);
             cloud.cubicTo(6.4, 6.6, 9.1, 4.5, 12.3, 4.5);
             cloud.cubicTo(15.8, 4.5, 18.6, 7, 19.1, 10.3);
             cloud.cubicTo(21.1, 10.8, 22.5, 12.6, 22.5, 14.7);
             cloud.cubicTo(22.5, 17.1, 20.6, 19, 18.2, 19);
             cloud.closeSubpath();
             pen.stroke(cloud, 1.7);
             pen.line({{8.6, 12.6}, {11.1, 15.1}, {15.6, 10.2}}, 1.9);
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
             pen.polygon({{2.5, 13},
                          {8, 13},
                          {9.5, 16},
                          {14.5, 16},
                          {16, 13},
                          {21.5, 13},
                          {21.5, 20.5},
                          {2.5, 20.5}});
             pen.line({{12, 2.5}, {12, 11.5}});
             pen.line({{8.5, 8}, {12, 11.5}, {15.5, 8}});
         }},
        {u"checkmark.seal.fill"_s,
         [](Pen &pen) {
             pen.fill(seal(10.5, 8.8));
             pen.cut();
             pen.line({{7.8, 12.3}, {10.8, 15.2}, {16.2, 9}}, 2.2);
         }},
        {u"xmark.seal"_s,
         [](Pen &pen) {
             pen.stroke(seal(9.8, 8.2), 1.8);
             pen.line({{9, 9}, {15, 15}}, 1.8);
             pen.line({{15, 9}, {9, 15}}, 1.8);
         }},
        {u"eye"_s, [](Pen &pen) { eye(pen); }},
        {u"eye.slash"_s,
         [](Pen &pen) {
             eye(pen);
             slash(pen, {3.5, 3.5}, {20.5, 20.5}, 4.5, 1.8);
         }},
        {u"network.slash"_s,
         [](Pen &pen) {
             pen.circle({12, 12}, 9, 1.6);
             QPainterPath meridian;
             meridian.addEllipse(QPointF(12, 12), 4, 9);
             pen.stroke(meridian, 1.4);
             pen.line({{3.5, 9}, {20.5, 9}}, 1.4);
             pen.line({{3.5, 15}, {20.5, 15}}, 1.4);
             slash(pen, {3, 3}, {21, 21}, 4.5, 1.8);
         }},
        {u"internaldrive"_s,
         [](Pen &pen) {
             pen.roundedRect({2.5, 7, 19, 10}, 2.5, 1.6);
             pen.line({{2.5, 12.5}, {21.5, 12.5}}, 1.2);
             pen.disc({17.5, 14.8}, 1.1);
         }},
        {u"hand.raised.circle"_s,
         [](Pen &pen) {
             pen.circle({12, 12}, 10, 1.6);
             pen.filledRoundedRect({8, 11, 8, 7.5}, 2.6);
             for (const qreal x : {8.9, 11.2, 13.5}) {
                 pen.filledRoundedRect({x, 5.5, 1.9, 7.5}, 0.95);
             }
             pen.filledRoundedRect({15.1, 7.5, 1.9, 6}, 0.95);
             pen.line({{8.6, 15.5}, {6.2, 12.8}}, 1.9);
         }},
        {u"option"_s,
         [](Pen &pen) {
             pen.line({{3, 6.5}, {8.5, 6.5}, {15.5, 17.5}, {21, 17.5}}, 1.8);
             pen.line({{14, 6.5}, {21, 6.5}}, 1.8);
         }},
        {u"filemenu.and.selection"_s,
         [](Pen &pen) {
             pen.roundedRect({3, 3.5, 18, 15}, 2.5, 1.6);
             pen.line({{6.5, 7.5}, {17.5, 7.5}}, 1.5);
             pen.filledRoundedRect({5.5, 10, 13, 3.4}, 1);
             pen.line({{6.5, 15.5}, {14, 15.5}}, 1.5);
             pen.polygon({{15, 14},
                          {21.5, 19},
                          {18.6, 19.4},
                          {20, 22.2},
                          {18.8, 22.8},
                          {17.4, 20},
                          {15.4, 21.6}});
         }},
        {u"ellipsis.circle"_s,
         [](Pen &pen) {
             pen.circle({12, 12}, 9.5, 1.6);
             for (const qreal x : {7.8, 12.0, 16.2}) {
                 pen.disc({x, 12}, 1.35);
             }
         }},
        {u"gearshape"_s,
         [](Pen &pen) {
             QPainterPath teeth;
             for (int i = 0; i < 8; ++i) {
                 QPainterPath tooth;
                 tooth.addRoundedRect(QRectF(10.2, 1.8, 3.6, 5), 1, 1);
                 teeth.addPath(
                     QTransform().translate(12, 12).rotate(45.0 * i).translate(-12, -12).map(
                         tooth));
             }
             QPainterPath body;
             body.addEllipse(QPointF(12, 12), 7.6, 7.6);
             QPainterPath hole;
             hole.addEllipse(QPointF(12, 12), 3.2, 3.2);
             pen.fill(body.united(teeth).subtracted(hole));
         }},
        {u"globe"_s,
         [](Pen &pen) {
             pen.circle({12, 12}, 9.5, 1.6);
             QPainterPath meridian;
             meridian.addEllipse(QPointF(12, 12), 4.2, 9.5);
             pen.stroke(meridian, 1.4);
             pen.line({{2.5, 12}, {21.5, 12}}, 1.4);
             pen.line({{4, 7}, {20, 7}}, 1.2);
             pen.line({{4, 17}, {20, 17}}, 1.2);
         }},
        {u"power"_s,
         [](Pen &pen) {
             pen.arc({12, 13}, 8, 125, 290, 2.2);
             pen.line({{12, 3}, {12, 12}}, 2.2);
         }},
        {u"sparkles"_s,
         [](Pen &pen) {
             sparkle(pen, {10, 13}, 7.5);
             sparkle(pen, {18.5, 5.5}, 3.5);
             sparkle(pen, {18.5, 18.5}, 2.8);
         }},
        {u"square.stack.3d.up"_s,
         [](Pen &pen) {
             pen.polygon({{12, 3}, {21, 7.5}, {12, 12}, {3, 7.5}});
             pen.line({{3, 12}, {12, 16.5}, {21, 12}}, 1.8);
             pen.line({{3, 16.5}, {12, 21}, {21, 16.5}}, 1.8);
         }},
        {u"arrow.down.circle"_s,
         [](Pen &pen) {
             pen.circle({12, 12}, 9.5, 1.6);
             pen.line({{12, 6.5}, {12, 17}}, 2);
             pen.line({{8, 13}, {12, 17}, {16, 13}}, 2);
         }},
        {u"arrow.left.arrow.right"_s,
         [](Pen &pen) {
             pen.line({{4, 8}, {20, 8}}, 2);
             pen.line({{16, 4.5}, {20, 8}, {16, 11.5}}, 2);
             pen.line({{20, 16}, {4, 16}}, 2);
             pen.line({{8, 12.5}, {4, 16}, {8, 19.5}}, 2);
         }},
        {u"exclamationmark.bubble"_s,
         [](Pen &pen) {
             QPainterPath bubble;
             bubble.addRoundedRect(QRectF(2.5, 3, 19, 14), 4, 4);
             bubble.moveTo(7, 16.5);
             bubble.lineTo(6, 21);
             bubble.lineTo(11.5, 16.5);
             pen.stroke(bubble, 1.6);
             pen.line({{12, 6.5}, {12, 10.5}}, 2);
             pen.disc({12, 13.3}, 1.2);
         }},
        {u"app.dashed"_s,
         [](Pen &pen) {
             QPainterPath outline;
             outline.addRoundedRect(QRectF(3, 3, 18, 18), 5, 5);
             pen.dashed(outline, 1.6, {2.2, 2.2});
         }},
        {u"arrow.triangle.2.circlepath"_s,
         [](Pen &pen) {
             pen.arc({12, 12}, 7.5, 20, 150, 1.9);
             pen.arc({12, 12}, 7.5, 200, 150, 1.9);
             pen.polygon({{4.5, 12.5}, {1.5, 8.5}, {7.5, 8.5}});
             pen.polygon({{19.5, 11.5}, {22.5, 15.5}, {16.5, 15.5}});
         }},
        {u"arrow.uturn.backward"_s,
         [](Pen &pen) {
             QPainterPath turn;
             turn.moveTo(5, 9);
             turn.lineTo(14.5, 9);
             turn.cubicTo(21, 9, 21, 19, 14.5, 19);
             turn.lineTo(9, 19);
             pen.stroke(turn, 2);
             pen.line({{8.5, 5}, {4.5, 9}, {8.5, 13}}, 2);
         }},
        {u"lock"_s,
         [](Pen &pen) {
             pen.roundedRect({5, 10.5, 14, 10.5}, 2.2, 1.8);
             pen.arc({12, 9}, 4.2, 0, 180, 1.8);
             pen.line({{7.8, 9}, {7.8, 10.5}}, 1.8);
             pen.line({{16.2, 9}, {16.2, 10.5}}, 1.8);
         }},
        {u"lock.shield"_s,
         [](Pen &pen) {
             QPainterPath shield;
             shield.moveTo(12, 2.5);
             shield.lineTo(20, 5.5);
             shield.cubicTo(20, 14, 17, 18.5, 12, 21.5);
             shield.cubicTo(7, 18.5, 4, 14, 4, 5.5);
             shield.closeSubpath();
             pen.stroke(shield, 1.6);
             pen.filledRoundedRect({8.8, 11, 6.4, 5}, 1);
             pen.arc({12, 10.5}, 2.1, 0, 180, 1.4);
         }},
        {u"pin.fill"_s,
         [](Pen &pen) {
             pen.polygon({{8, 3}, {16, 3}, {15, 5}, {15, 10}, {18, 14}, {6, 14}, {9, 10}, {9, 5}});
             pen.line({{12, 14}, {12, 21.5}}, 1.8);
         }},
        {u"wand.and.stars"_s,
         [](Pen &pen) {
             pen.line({{4, 20}, {15, 9}}, 2.4);
             sparkle(pen, {17.5, 5}, 3.2);
             sparkle(pen, {8, 5.5}, 2.2);
             sparkle(pen, {19, 14.5}, 2.2);
         }},
        {u"bolt.slash"_s,
         [](Pen &pen) {
             pen.polygon({{13.5, 2}, {5, 13.5}, {11, 13.5}, {10, 22}, {19, 10}, {13, 10}});
             slash(pen, {3, 3}, {21, 21}, 4.5, 1.8);
         }},
        {u"powerplug"_s,
         [](Pen &pen) {
             // Two prongs over a rounded plug body, and the cord below it.
             pen.line({{9, 3}, {9, 8}}, 2);
             pen.line({{15, 3}, {15, 8}}, 2);
             pen.filledRoundedRect(QRectF(5.5, 8, 13, 7.5), 2.5);
             pen.line({{12, 15.5}, {12, 18}, {10, 21}}, 2);
         }},
        {u"pause.circle"_s,
         [](Pen &pen) {
             pen.circle({12, 12}, 9.5, 1.6);
             pen.line({{9.5, 8}, {9.5, 16}}, 2.2);
             pen.line({{14.5, 8}, {14.5, 16}}, 2.2);
         }},
        {u"pencil"_s,
         [](Pen &pen) {
             QPainterPath body;
             body.moveTo(15.5, 4.5);
             body.lineTo(19.5, 8.5);
             body.lineTo(8.5, 19.5);
             body.lineTo(3.5, 20.5);
             body.lineTo(4.5, 15.5);
             body.closeSubpath();
             pen.stroke(body, 1.7);
             pen.line({{13, 7}, {17, 11}}, 1.5);
         }},
        {u"trash"_s,
         [](Pen &pen) {
             pen.line({{3.5, 6}, {20.5, 6}}, 1.8);
             pen.line({{9, 6}, {9.5, 3.5}, {14.5, 3.5}, {15, 6}}, 1.6);
             QPainterPath can;
             can.moveTo(5.5, 6);
             can.lineTo(6.8, 20.5);
             can.lineTo(17.2, 20.5);
             can.lineTo(18.5, 6);
             pen.stroke(can, 1.7);
             pen.line({{10, 9.5}, {10.3, 17}}, 1.4);
             pen.line({{14, 9.5}, {13.7, 17}}, 1.4);
         }},
        {u"magnifyingglass"_s,
         [](Pen &pen) {
             pen.circle({10, 10}, 6.5);
             pen.line({{15, 15}, {20.5, 20.5}}, 2.4);
         }},
        {u"rectangle.topthird.inset.filled"_s,
         [](Pen &pen) {
             pen.roundedRect({2.5, 4.5, 19, 15}, 2.5, 1.8);
             pen.filledRoundedRect({5, 7, 14, 3.5}, 1);
         }},
        {u"bolt"_s,
         [](Pen &pen) {
             QPainterPath bolt;
             bolt.moveTo(13.5, 2.5);
             bolt.lineTo(5.5, 13.5);
             bolt.lineTo(11.5, 13.5);
             bolt.lineTo(10.5, 21.5);
             bolt.lineTo(18.5, 10.5);
             bolt.lineTo(12.5, 10.5);
             bolt.closeSubpath();
             pen.stroke(bolt, 1.8);
         }},
        {u"paintpalette"_s,
         [](Pen &pen) {
             pen.arc({12, 12}, 9, 110, 290, 1.8);
             pen.line({{8.9, 20.5}, {11, 17}, {14, 16.5}}, 1.8);
             pen.disc({8, 10}, 1.5);
             pen.disc({12, 7}, 1.5);
             pen.disc({16, 10}, 1.5);
         }},
        {u"arrow.left.and.right"_s,
         [](Pen &pen) {
             pen.line({{3, 12}, {21, 12}}, 1.8);
             pen.line({{7, 8}, {3, 12}, {7, 16}}, 1.8);
             pen.line({{17, 8}, {21, 12}, {17, 16}}, 1.8);
         }},
        {u"cursorarrow.click"_s,
         [](Pen &pen) {
             pen.polygon(
                 {{9, 8}, {19, 13}, {14.5, 14.5}, {17.5, 20}, {15.5, 21}, {12.5, 15.5}, {9, 19}});
             pen.line({{6, 2.5}, {6, 5}}, 1.6);
             pen.line({{1.5, 7}, {4, 7}}, 1.6);
             pen.line({{2.5, 3}, {4.2, 4.7}}, 1.6);
         }},
        {u"rectangle.on.rectangle"_s,
         [](Pen &pen) {
             pen.roundedRect({7, 3.5, 14, 11}, 2, 1.7);
             pen.roundedRect({3, 9.5, 14, 11}, 2, 1.7);
         }},
        {u"timer"_s,
         [](Pen &pen) {
             pen.circle({12, 13}, 8.5, 1.8);
             pen.line({{12, 13}, {15.5, 9}}, 1.9);
             pen.line({{12, 2.5}, {12, 4.5}}, 1.8);
         }},
        {u"arrow.down.doc"_s,
         [](Pen &pen) {
             pen.line({{14, 2.5}, {5.5, 2.5}, {5.5, 21.5}, {18.5, 21.5}, {18.5, 7}, {14, 2.5}},
                      1.7);
             pen.line({{12, 8}, {12, 17}}, 1.7);
             pen.line({{8.5, 13.5}, {12, 17}, {15.5, 13.5}}, 1.7);
         }},
        {u"hand.draw"_s,
         [](Pen &pen) {
             pen.roundedRect({7, 9, 11, 12.5}, 4, 1.7);
             pen.line({{9.5, 9}, {9.5, 3.5}}, 1.7);
             pen.line({{12.5, 9}, {12.5, 2.5}}, 1.7);
             pen.line({{15.5, 9}, {15.5, 4}}, 1.7);
             pen.line({{7, 14}, {4, 11}}, 1.7);
         }},
        {u"character.cursor.ibeam"_s,
         [](Pen &pen) {
             pen.line({{3, 19}, {8, 5}, {13, 19}}, 1.8);
             pen.line({{5, 14}, {11, 14}}, 1.6);
             pen.line({{18, 4}, {18, 20}}, 1.6);
             pen.line({{15.5, 4}, {20.5, 4}}, 1.6);
             pen.line({{15.5, 20}, {20.5, 20}}, 1.6);
         }},
        {u"folder"_s,
         [](Pen &pen) {
             pen.line(
                 {{2.5, 19.5}, {2.5, 5}, {9, 5}, {11, 7.5}, {21.5, 7.5}, {21.5, 19.5}, {2.5, 19.5}},
                 1.7);
             pen.line({{2.5, 10.5}, {21.5, 10.5}}, 1.5);
         }},
        {u"lifepreserver"_s,
         [](Pen &pen) {
             pen.circle({12, 12}, 9, 1.8);
             pen.circle({12, 12}, 4, 1.8);
             pen.line({{5.6, 5.6}, {9.2, 9.2}}, 1.8);
             pen.line({{18.4, 5.6}, {14.8, 9.2}}, 1.8);
             pen.line({{5.6, 18.4}, {9.2, 14.8}}, 1.8);
             pen.line({{18.4, 18.4}, {14.8, 14.8}}, 1.8);
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
