// The commands of the menus, the settings panes and the steps of their guides.

#include "symbols/glyphcatalogue.h"

#include "symbols/glyphpen.h"
#include "symbols/glyphshapes.h"

#include <QTransform>

using namespace Qt::StringLiterals;

namespace zorv {

GlyphCatalogue::Table GlyphCatalogue::commands() {
    return {
        {u"tray.and.arrow.down.fill"_s,
         [](GlyphPen &pen) {
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
        {u"eye"_s, [](GlyphPen &pen) { GlyphShapes::eye(pen); }},
        {u"eye.slash"_s,
         [](GlyphPen &pen) {
             GlyphShapes::eye(pen);
             GlyphShapes::slash(pen, {3.5, 3.5}, {20.5, 20.5}, 4.5, 1.8);
         }},
        {u"option"_s,
         [](GlyphPen &pen) {
             pen.line({{3, 6.5}, {8.5, 6.5}, {15.5, 17.5}, {21, 17.5}}, 1.8);
             pen.line({{14, 6.5}, {21, 6.5}}, 1.8);
         }},
        {u"filemenu.and.selection"_s,
         [](GlyphPen &pen) {
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
        {u"gearshape"_s,
         [](GlyphPen &pen) {
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
         [](GlyphPen &pen) {
             pen.circle({12, 12}, 9.5, 1.6);
             QPainterPath meridian;
             meridian.addEllipse(QPointF(12, 12), 4.2, 9.5);
             pen.stroke(meridian, 1.4);
             pen.line({{2.5, 12}, {21.5, 12}}, 1.4);
             pen.line({{4, 7}, {20, 7}}, 1.2);
             pen.line({{4, 17}, {20, 17}}, 1.2);
         }},
        {u"power"_s,
         [](GlyphPen &pen) {
             pen.arc({12, 13}, 8, 125, 290, 2.2);
             pen.line({{12, 3}, {12, 12}}, 2.2);
         }},
        {u"sparkles"_s,
         [](GlyphPen &pen) {
             GlyphShapes::sparkle(pen, {10, 13}, 7.5);
             GlyphShapes::sparkle(pen, {18.5, 5.5}, 3.5);
             GlyphShapes::sparkle(pen, {18.5, 18.5}, 2.8);
         }},
        {u"square.stack.3d.up"_s,
         [](GlyphPen &pen) {
             pen.polygon({{12, 3}, {21, 7.5}, {12, 12}, {3, 7.5}});
             pen.line({{3, 12}, {12, 16.5}, {21, 12}}, 1.8);
             pen.line({{3, 16.5}, {12, 21}, {21, 16.5}}, 1.8);
         }},
        {u"arrow.down.circle"_s,
         [](GlyphPen &pen) {
             pen.circle({12, 12}, 9.5, 1.6);
             pen.line({{12, 6.5}, {12, 17}}, 2);
             pen.line({{8, 13}, {12, 17}, {16, 13}}, 2);
         }},
        {u"arrow.left.arrow.right"_s,
         [](GlyphPen &pen) {
             pen.line({{4, 8}, {20, 8}}, 2);
             pen.line({{16, 4.5}, {20, 8}, {16, 11.5}}, 2);
             pen.line({{20, 16}, {4, 16}}, 2);
             pen.line({{8, 12.5}, {4, 16}, {8, 19.5}}, 2);
         }},
        {u"arrow.triangle.2.circlepath"_s,
         [](GlyphPen &pen) {
             pen.arc({12, 12}, 7.5, 20, 150, 1.9);
             pen.arc({12, 12}, 7.5, 200, 150, 1.9);
             pen.polygon({{4.5, 12.5}, {1.5, 8.5}, {7.5, 8.5}});
             pen.polygon({{19.5, 11.5}, {22.5, 15.5}, {16.5, 15.5}});
         }},
        {u"arrow.uturn.backward"_s,
         [](GlyphPen &pen) {
             QPainterPath turn;
             turn.moveTo(5, 9);
             turn.lineTo(14.5, 9);
             turn.cubicTo(21, 9, 21, 19, 14.5, 19);
             turn.lineTo(9, 19);
             pen.stroke(turn, 2);
             pen.line({{8.5, 5}, {4.5, 9}, {8.5, 13}}, 2);
         }},
        {u"pin.fill"_s,
         [](GlyphPen &pen) {
             pen.polygon({{8, 3}, {16, 3}, {15, 5}, {15, 10}, {18, 14}, {6, 14}, {9, 10}, {9, 5}});
             pen.line({{12, 14}, {12, 21.5}}, 1.8);
         }},
        {u"wand.and.stars"_s,
         [](GlyphPen &pen) {
             pen.line({{4, 20}, {15, 9}}, 2.4);
             GlyphShapes::sparkle(pen, {17.5, 5}, 3.2);
             GlyphShapes::sparkle(pen, {8, 5.5}, 2.2);
             GlyphShapes::sparkle(pen, {19, 14.5}, 2.2);
         }},
        {u"pencil"_s,
         [](GlyphPen &pen) {
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
         [](GlyphPen &pen) {
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
         [](GlyphPen &pen) {
             pen.circle({10, 10}, 6.5);
             pen.line({{15, 15}, {20.5, 20.5}}, 2.4);
         }},
        {u"rectangle.topthird.inset.filled"_s,
         [](GlyphPen &pen) {
             pen.roundedRect({2.5, 4.5, 19, 15}, 2.5, 1.8);
             pen.filledRoundedRect({5, 7, 14, 3.5}, 1);
         }},
        {u"bolt"_s,
         [](GlyphPen &pen) {
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
         [](GlyphPen &pen) {
             pen.arc({12, 12}, 9, 110, 290, 1.8);
             pen.line({{8.9, 20.5}, {11, 17}, {14, 16.5}}, 1.8);
             pen.disc({8, 10}, 1.5);
             pen.disc({12, 7}, 1.5);
             pen.disc({16, 10}, 1.5);
         }},
        {u"arrow.left.and.right"_s,
         [](GlyphPen &pen) {
             pen.line({{3, 12}, {21, 12}}, 1.8);
             pen.line({{7, 8}, {3, 12}, {7, 16}}, 1.8);
             pen.line({{17, 8}, {21, 12}, {17, 16}}, 1.8);
         }},
        {u"cursorarrow.click"_s,
         [](GlyphPen &pen) {
             pen.polygon(
                 {{9, 8}, {19, 13}, {14.5, 14.5}, {17.5, 20}, {15.5, 21}, {12.5, 15.5}, {9, 19}});
             pen.line({{6, 2.5}, {6, 5}}, 1.6);
             pen.line({{1.5, 7}, {4, 7}}, 1.6);
             pen.line({{2.5, 3}, {4.2, 4.7}}, 1.6);
         }},
        {u"rectangle.on.rectangle"_s,
         [](GlyphPen &pen) {
             pen.roundedRect({7, 3.5, 14, 11}, 2, 1.7);
             pen.roundedRect({3, 9.5, 14, 11}, 2, 1.7);
         }},
        {u"timer"_s,
         [](GlyphPen &pen) {
             pen.circle({12, 13}, 8.5, 1.8);
             pen.line({{12, 13}, {15.5, 9}}, 1.9);
             pen.line({{12, 2.5}, {12, 4.5}}, 1.8);
         }},
        {u"arrow.down.doc"_s,
         [](GlyphPen &pen) {
             pen.line({{14, 2.5}, {5.5, 2.5}, {5.5, 21.5}, {18.5, 21.5}, {18.5, 7}, {14, 2.5}},
                      1.7);
             pen.line({{12, 8}, {12, 17}}, 1.7);
             pen.line({{8.5, 13.5}, {12, 17}, {15.5, 13.5}}, 1.7);
         }},
        {u"hand.draw"_s,
         [](GlyphPen &pen) {
             pen.roundedRect({7, 9, 11, 12.5}, 4, 1.7);
             pen.line({{9.5, 9}, {9.5, 3.5}}, 1.7);
             pen.line({{12.5, 9}, {12.5, 2.5}}, 1.7);
             pen.line({{15.5, 9}, {15.5, 4}}, 1.7);
             pen.line({{7, 14}, {4, 11}}, 1.7);
         }},
        {u"character.cursor.ibeam"_s,
         [](GlyphPen &pen) {
             pen.line({{3, 19}, {8, 5}, {13, 19}}, 1.8);
             pen.line({{5, 14}, {11, 14}}, 1.6);
             pen.line({{18, 4}, {18, 20}}, 1.6);
             pen.line({{15.5, 4}, {20.5, 4}}, 1.6);
             pen.line({{15.5, 20}, {20.5, 20}}, 1.6);
         }},
        {u"folder"_s,
         [](GlyphPen &pen) {
             pen.line(
                 {{2.5, 19.5}, {2.5, 5}, {9, 5}, {11, 7.5}, {21.5, 7.5}, {21.5, 19.5}, {2.5, 19.5}},
                 1.7);
             pen.line({{2.5, 10.5}, {21.5, 10.5}}, 1.5);
         }},
        {u"lifepreserver"_s,
         [](GlyphPen &pen) {
             pen.circle({12, 12}, 9, 1.8);
             pen.circle({12, 12}, 4, 1.8);
             pen.line({{5.6, 5.6}, {9.2, 9.2}}, 1.8);
             pen.line({{18.4, 5.6}, {14.8, 9.2}}, 1.8);
             pen.line({{5.6, 18.4}, {9.2, 14.8}}, 1.8);
             pen.line({{18.4, 18.4}, {14.8, 14.8}}, 1.8);
         }},
    };
}

} // namespace zorv
