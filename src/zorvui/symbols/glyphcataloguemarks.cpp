// The marks: ticks, crosses, chevrons, circles, warnings and locks that state something beside a
// row or a control.

#include "symbols/glyphcatalogue.h"

#include "symbols/glyphpen.h"
#include "symbols/glyphshapes.h"

using namespace Qt::StringLiterals;

namespace zorv {

GlyphCatalogue::Table GlyphCatalogue::marks() {
    return {
        {u"checkmark"_s, [](GlyphPen &pen) { GlyphShapes::checkmark(pen); }},
        {u"xmark"_s,
         [](GlyphPen &pen) {
             pen.line({{6, 6}, {18, 18}}, 2.2);
             pen.line({{18, 6}, {6, 18}}, 2.2);
         }},
        {u"circle"_s,
         [](GlyphPen &pen) {
             pen.circle({12, 12}, 8.5);
         }},
        {u"circle.fill"_s,
         [](GlyphPen &pen) {
             pen.disc({12, 12}, 9.5);
         }},
        {u"checkmark.circle.fill"_s,
         [](GlyphPen &pen) {
             pen.disc({12, 12}, 10);
             pen.cut();
             pen.line({{7.5, 12.5}, {10.8, 15.6}, {16.5, 8.8}}, 2.2);
         }},
        {u"chevron.up.chevron.down"_s,
         [](GlyphPen &pen) {
             pen.line({{7.5, 9.5}, {12, 5}, {16.5, 9.5}}, 2.2);
             pen.line({{7.5, 14.5}, {12, 19}, {16.5, 14.5}}, 2.2);
         }},
        {u"chevron.down"_s,
         [](GlyphPen &pen) {
             pen.line({{6.5, 9.5}, {12, 15}, {17.5, 9.5}}, 2.2);
         }},
        {u"line.3.horizontal.decrease"_s,
         [](GlyphPen &pen) {
             pen.line({{3.5, 7}, {20.5, 7}});
             pen.line({{6.5, 12}, {17.5, 12}});
             pen.line({{9.5, 17}, {14.5, 17}});
         }},
        {u"info.circle"_s,
         [](GlyphPen &pen) {
             pen.circle({12, 12}, 9.5, 1.8);
             pen.disc({12, 7.6}, 1.3);
             pen.line({{12, 11}, {12, 17}}, 2.2);
         }},
        {u"exclamationmark.triangle"_s,
         [](GlyphPen &pen) {
             QPainterPath triangle;
             triangle.moveTo(12, 3);
             triangle.lineTo(21.5, 20);
             triangle.lineTo(2.5, 20);
             triangle.closeSubpath();
             pen.stroke(triangle, 1.8);
             GlyphShapes::exclamation(pen);
         }},
        {u"exclamationmark.triangle.fill"_s,
         [](GlyphPen &pen) {
             QPainterPath triangle;
             triangle.moveTo(12, 2.5);
             triangle.lineTo(22, 20.5);
             triangle.lineTo(2, 20.5);
             triangle.closeSubpath();
             pen.stroke(triangle, 1.5);
             pen.fill(triangle);
             pen.cut();
             GlyphShapes::exclamation(pen);
         }},
        {u"checkmark.icloud"_s,
         [](GlyphPen &pen) {
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
         [](GlyphPen &pen) {
             pen.circle({12, 12}, 9.5, 1.8);
             QPainterPath hook;
             hook.moveTo(9, 9.5);
             hook.cubicTo(9, 5.5, 15, 5.5, 15, 9.5);
             hook.cubicTo(15, 11.5, 12, 11.8, 12, 14);
             pen.stroke(hook, 2);
             pen.disc({12, 17.2}, 1.3);
         }},
        {u"checkmark.seal.fill"_s,
         [](GlyphPen &pen) {
             pen.fill(GlyphShapes::seal(10.5, 8.8));
             pen.cut();
             pen.line({{7.8, 12.3}, {10.8, 15.2}, {16.2, 9}}, 2.2);
         }},
        {u"xmark.seal"_s,
         [](GlyphPen &pen) {
             pen.stroke(GlyphShapes::seal(9.8, 8.2), 1.8);
             pen.line({{9, 9}, {15, 15}}, 1.8);
             pen.line({{15, 9}, {9, 15}}, 1.8);
         }},
        {u"hand.raised.circle"_s,
         [](GlyphPen &pen) {
             pen.circle({12, 12}, 10, 1.6);
             pen.filledRoundedRect({8, 11, 8, 7.5}, 2.6);
             for (const qreal x : {8.9, 11.2, 13.5}) {
                 pen.filledRoundedRect({x, 5.5, 1.9, 7.5}, 0.95);
             }
             pen.filledRoundedRect({15.1, 7.5, 1.9, 6}, 0.95);
             pen.line({{8.6, 15.5}, {6.2, 12.8}}, 1.9);
         }},
        {u"ellipsis.circle"_s,
         [](GlyphPen &pen) {
             pen.circle({12, 12}, 9.5, 1.6);
             for (const qreal x : {7.8, 12.0, 16.2}) {
                 pen.disc({x, 12}, 1.35);
             }
         }},
        {u"exclamationmark.bubble"_s,
         [](GlyphPen &pen) {
             QPainterPath bubble;
             bubble.addRoundedRect(QRectF(2.5, 3, 19, 14), 4, 4);
             bubble.moveTo(7, 16.5);
             bubble.lineTo(6, 21);
             bubble.lineTo(11.5, 16.5);
             pen.stroke(bubble, 1.6);
             pen.line({{12, 6.5}, {12, 10.5}}, 2);
             pen.disc({12, 13.3}, 1.2);
         }},
        {u"lock"_s,
         [](GlyphPen &pen) {
             pen.roundedRect({5, 10.5, 14, 10.5}, 2.2, 1.8);
             pen.arc({12, 9}, 4.2, 0, 180, 1.8);
             pen.line({{7.8, 9}, {7.8, 10.5}}, 1.8);
             pen.line({{16.2, 9}, {16.2, 10.5}}, 1.8);
         }},
        {u"lock.shield"_s,
         [](GlyphPen &pen) {
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
        {u"pause.circle"_s,
         [](GlyphPen &pen) {
             pen.circle({12, 12}, 9.5, 1.6);
             pen.line({{9.5, 8}, {9.5, 16}}, 2.2);
             pen.line({{14.5, 8}, {14.5, 16}}, 2.2);
         }},
    };
}

} // namespace zorv
