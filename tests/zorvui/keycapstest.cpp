#include "keycaps/keycapdrawing.h"
#include "keycaps/keycaptext.h"
#include "menus/trailingmenurow.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using Weight = KeyCapDrawing::Weight;

} // namespace

void PrintTo(const KeyCapText::Segment &segment, std::ostream *os) {
    *os << (segment.caps ? "caps(" + segment.caps->join(u',').toStdString() + ")"
                         : "\"" + segment.plain.toStdString() + "\"");
}

namespace {

TEST(KeyCapsTest, ParsesKeyDescriptionsIntoCaps) {
    const struct {
        QString text;
        QStringList caps;
    } cases[] = {
        {u"command+1"_s, {u"⌘"_s, u"1"_s}},
        {u"Command+1"_s, {u"Command"_s, u"1"_s}},
        {u"option+shift+k"_s, {u"⌥"_s, u"⇧"_s, u"k"_s}},
        {u"control+return"_s, {u"⌃"_s, u"return"_s}},
        {u"command++"_s, {u"⌘"_s}},
        {u"+1"_s, {u"1"_s}},
        {u"+"_s, {}},
        {u"⌘⇧K"_s, {u"⌘"_s, u"⇧"_s, u"K"_s}},
        {u"⌃⌥Space"_s, {u"⌃"_s, u"⌥"_s, u"Space"_s}},
        {u"Space"_s, {u"Space"_s}},
        {u"esc"_s, {u"esc"_s}},
        {u""_s, {u""_s}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(KeyCapDrawing::keys(c.text), c.caps) << c.text.toStdString();
    }
}

TEST(KeyCapsTest, SpeaksModifierGlyphsAsWords) {
    EXPECT_EQ(KeyCapDrawing::spoken({u"⌘"_s, u"⇧"_s, u"K"_s}), u"command shift K"_s);
    EXPECT_EQ(KeyCapDrawing::spoken({u"⌃"_s, u"Return"_s}), u"control Return"_s);
    EXPECT_EQ(KeyCapDrawing::spoken({u"⌥"_s, u"option"_s}), u"option option"_s);
    EXPECT_EQ(KeyCapDrawing::spoken({}), QString());
}

TEST(KeyCapsTest, MeasuresARowOfCaps) {
    const QFontMetricsF metrics(KeyCapDrawing::font(13));
    const qreal lineHeight =
        std::ceil(metrics.ascent() + metrics.descent() + qMax(0.0, metrics.leading()));
    // A narrow label is as wide as round(0.92 × 13) = 12.
    ASSERT_LT(metrics.horizontalAdvance(u"1"_s) + 5, 12);
    EXPECT_EQ(KeyCapDrawing::size({u"1"_s}, 13, Weight::Prose), QSizeF(12, lineHeight));
    // Two caps are two widths and a 2-point gap; a wide label grows its cap.
    const qreal space = std::ceil(metrics.horizontalAdvance(u"Space"_s) + 5);
    EXPECT_EQ(KeyCapDrawing::size({u"1"_s, u"Space"_s}, 13, Weight::Prose).width(),
              std::ceil(12 + space + 2));
    // No caps: no width, full height.
    EXPECT_EQ(KeyCapDrawing::size({}, 13, Weight::Prose), QSizeF(0, lineHeight));
    // Menu caps carry a point of padding above and below.
    EXPECT_EQ(KeyCapDrawing::size({u"⌘"_s}, 13, Weight::Menu).height(),
              KeyCapDrawing::size({u"⌘"_s}, 13, Weight::Prose).height() + 2);
    EXPECT_EQ(KeyCapDrawing::font(13).pixelSize(), 11);
    EXPECT_EQ(KeyCapDrawing::font(12.5).pixelSize(), 11) << "10.5 rounds away from zero";
}

TEST(KeyCapTextTest, SplitsTokensFromPlainText) {
    using Segment = KeyCapText::Segment;
    const struct {
        QString text;
        QList<Segment> segments;
    } cases[] = {
        {u"Hold {option} and click"_s,
         {{u"Hold "_s, {}}, {{}, QStringList{u"option"_s}}, {u" and click"_s, {}}}},
        {u"{command+1} to {command+9}"_s,
         {{{}, QStringList{u"⌘"_s, u"1"_s}}, {u" to "_s, {}}, {{}, QStringList{u"⌘"_s, u"9"_s}}}},
        {u"{}"_s, {{{}, QStringList{u""_s}}}},
        {u"Press {option"_s, {{u"Press {option"_s, {}}}},
        {u"a } b {esc} c {"_s, {{u"a } b "_s, {}}, {{}, QStringList{u"esc"_s}}, {u" c {"_s, {}}}},
        {u"no tokens"_s, {{u"no tokens"_s, {}}}},
        {u""_s, {}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(KeyCapText::segments(c.text), c.segments) << c.text.toStdString();
    }
}

TEST(KeyCapTextTest, KeepsMarkupCharactersVerbatim) {
    const QString markup = KeyCapText::markup(u"<b>A & B</b>  \"{return}\"\nnext"_s, 12, Qt::black);
    EXPECT_TRUE(markup.startsWith(u"&lt;b&gt;A &amp; B&lt;/b&gt; &nbsp;&quot;<img src="_s))
        << markup.toStdString();
    EXPECT_TRUE(markup.endsWith(u"&quot;<br>next"_s)) << markup.toStdString();
    EXPECT_EQ(markup.count(u"<img "_s), 1);
    EXPECT_EQ(KeyCapText::markup(u"plain"_s, 12, Qt::black), u"plain"_s);
}

TEST(KeyCapTextTest, ImageIdsRoundTripAndRejectJunk) {
    const KeyCapText::ImageRequest request{
        {u"⌘"_s, u"/"_s, u""_s, u"a b?&"_s}, 11.5, QColor(1, 2, 3, 200)};
    EXPECT_EQ(KeyCapText::parseImageId(KeyCapText::imageId(request)), request);
    for (const QString &junk :
         {u""_s, u"12"_s, u"x/ff000000"_s, u"12/zz"_s, u"12/ff000000/q31"_s, u"12/ff000000/k3"_s,
          u"-1/ff000000"_s, u"1e9/ff000000"_s, u"nan/ff000000"_s}) {
        EXPECT_FALSE(KeyCapText::parseImageId(junk)) << junk.toStdString();
    }
}

TEST(TrailingMenuRowTest, NeedsRoomForTitleGapCapsAndInsets) {
    const QFontMetricsF metrics(TrailingMenuRow::menuFont());
    const struct {
        QString title;
        QStringList keys;
    } cases[] = {
        {u"Settings…"_s, {u"⌘"_s, u","_s}},
        {u"Quit Zorv"_s, {u"⌘"_s, u"Q"_s}},
        {u"Search Menu Bar"_s, {u"⌃"_s, u"⌥"_s, u"⌘"_s, u"Space"_s}},
        {u"About Zorv"_s, {}},
        {u""_s, {}},
    };
    for (const auto &c : cases) {
        const qreal caps = KeyCapDrawing::size(c.keys, 14, KeyCapDrawing::Weight::Menu).width();
        EXPECT_EQ(TrailingMenuRow::requiredWidth(c.title, c.keys),
                  std::ceil(metrics.horizontalAdvance(c.title) + 37.5 + 24 + caps + 21))
            << c.title.toStdString();
    }
    // An empty key list still reserves the insets and the gap.
    EXPECT_EQ(TrailingMenuRow::requiredWidth(u""_s, {}), 83);
}

} // namespace
} // namespace zorv
