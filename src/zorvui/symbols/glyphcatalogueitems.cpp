// The system's own menu bar items (Wi-Fi, battery, sound, focus...), the conditions rules watch
// and the stand-in for an item without a picture.

#include "symbols/glyphcatalogue.h"

#include "symbols/glyphpen.h"
#include "symbols/glyphshapes.h"

using namespace Qt::StringLiterals;

namespace zorv {

GlyphCatalogue::Table GlyphCatalogue::items() {
    return {
        {u"wifi"_s, [](GlyphPen &pen) { GlyphShapes::wifiWaves(pen); }},
        {u"wifi.slash"_s,
         [](GlyphPen &pen) {
             GlyphShapes::wifiWaves(pen);
             GlyphShapes::slash(pen, {3, 3}, {21, 21}, 5, 2);
         }},
        {u"battery.100"_s,
         [](GlyphPen &pen) {
             pen.roundedRect({2, 7, 18, 10}, 3, 1.6);
             pen.filledRoundedRect({4.2, 9.2, 13.6, 5.6}, 1.4);
             pen.filledRoundedRect({21, 10, 1.8, 4}, 0.8);
         }},
        {u"speaker.wave.2.fill"_s,
         [](GlyphPen &pen) {
             pen.polygon({{2.5, 9}, {6.5, 9}, {11.5, 4.5}, {11.5, 19.5}, {6.5, 15}, {2.5, 15}});
             pen.arc({11.5, 12}, 4, -45, 90);
             pen.arc({11.5, 12}, 8, -48, 96);
         }},
        {u"dot.radiowaves.right"_s,
         [](GlyphPen &pen) {
             pen.disc({6, 12}, 2.4);
             pen.arc({6, 12}, 6.5, -50, 100);
             pen.arc({6, 12}, 11.5, -50, 100);
         }},
        {u"airplayvideo"_s,
         [](GlyphPen &pen) {
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
         [](GlyphPen &pen) {
             QPainterPath moon;
             moon.addEllipse(QPointF(11.5, 12.5), 8.5, 8.5);
             QPainterPath bite;
             bite.addEllipse(QPointF(16.5, 7.5), 7, 7);
             pen.fill(moon.subtracted(bite));
         }},
        {u"play.circle.fill"_s,
         [](GlyphPen &pen) {
             pen.disc({12, 12}, 10);
             pen.cut();
             pen.polygon({{9.5, 7.5}, {16.5, 12}, {9.5, 16.5}});
         }},
        {u"clock"_s,
         [](GlyphPen &pen) {
             pen.circle({12, 12}, 9, 1.8);
             pen.line({{12, 6.5}, {12, 12}, {15.5, 14}}, 1.8);
         }},
        {u"keyboard"_s,
         [](GlyphPen &pen) {
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
         [](GlyphPen &pen) {
             pen.line({{3, 8}, {13.5, 8}});
             pen.circle({17.5, 8}, 2.8);
             pen.line({{10.5, 16}, {21, 16}});
             pen.circle({6.5, 16}, 2.8);
         }},
        {u"network.slash"_s,
         [](GlyphPen &pen) {
             pen.circle({12, 12}, 9, 1.6);
             QPainterPath meridian;
             meridian.addEllipse(QPointF(12, 12), 4, 9);
             pen.stroke(meridian, 1.4);
             pen.line({{3.5, 9}, {20.5, 9}}, 1.4);
             pen.line({{3.5, 15}, {20.5, 15}}, 1.4);
             GlyphShapes::slash(pen, {3, 3}, {21, 21}, 4.5, 1.8);
         }},
        {u"internaldrive"_s,
         [](GlyphPen &pen) {
             pen.roundedRect({2.5, 7, 19, 10}, 2.5, 1.6);
             pen.line({{2.5, 12.5}, {21.5, 12.5}}, 1.2);
             pen.disc({17.5, 14.8}, 1.1);
         }},
        {u"app.dashed"_s,
         [](GlyphPen &pen) {
             QPainterPath outline;
             outline.addRoundedRect(QRectF(3, 3, 18, 18), 5, 5);
             pen.dashed(outline, 1.6, {2.2, 2.2});
         }},
        {u"bolt.slash"_s,
         [](GlyphPen &pen) {
             pen.polygon({{13.5, 2}, {5, 13.5}, {11, 13.5}, {10, 22}, {19, 10}, {13, 10}});
             GlyphShapes::slash(pen, {3, 3}, {21, 21}, 4.5, 1.8);
         }},
        {u"powerplug"_s,
         [](GlyphPen &pen) {
             // Two prongs over a rounded plug body, and the cord below it.
             pen.line({{9, 3}, {9, 8}}, 2);
             pen.line({{15, 3}, {15, 8}}, 2);
             pen.filledRoundedRect(QRectF(5.5, 8, 13, 7.5), 2.5);
             pen.line({{12, 15.5}, {12, 18}, {10, 21}}, 2);
         }},
    };
}

} // namespace zorv
