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

void PrintTo(const KeyCapText::Word &word, std::ostream *os) {
    *os << "word(";
    for (const KeyCapText::Segment &piece : word.pieces) {
        PrintTo(piece, os);
    }
    *os << " +" << word.spacesAfter << ")";
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

KeyCapText::Segment text(const QString &plain) {
    return {plain, std::nullopt};
}

KeyCapText::Segment caps(const QStringList &labels) {
    return {QString(), labels};
}

TEST(KeyCapTextTest, LaysOutWordsWithTheSpacesTheTextHas) {
    using Word = KeyCapText::Word;
    using Paragraph = KeyCapText::Paragraph;
    const QStringList command1{u"⌘"_s, u"1"_s};
    const struct {
        QString text;
        QList<Paragraph> paragraphs;
    } cases[] = {
        {u"Press {command+1}."_s,
         {{Word{{text(u"Press"_s)}, 1}, Word{{caps(command1), text(u"."_s)}, 0}}}},
        {u"Hold {option} and"_s,
         {{Word{{text(u"Hold"_s)}, 1}, Word{{caps({u"option"_s})}, 1}, Word{{text(u"and"_s)}, 0}}}},
        {u"{command+1}{esc}"_s, {{Word{{caps(command1), caps({u"esc"_s})}, 0}}}},
        {u"  two\tspaces  "_s,
         {{Word{{}, 2}, Word{{text(u"two"_s)}, 1}, Word{{text(u"spaces"_s)}, 2}}}},
        {u"one\n\nthree"_s, {{Word{{text(u"one"_s)}, 0}}, {}, {Word{{text(u"three"_s)}, 0}}}},
        {u"a {b"_s, {{Word{{text(u"a"_s)}, 1}, Word{{text(u"{b"_s)}, 0}}}},
        {u""_s, {Paragraph{}}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(KeyCapText::paragraphs(c.text), c.paragraphs) << c.text.toStdString();
    }
}

TEST(KeyCapTextTest, KeepsMarkupCharactersVerbatim) {
    // Text around the caps is never read as markup: every character stays as typed.
    const QString typed = u"<b>A & B</b> <img src=x> \"{return}\""_s;
    const auto paragraphs = KeyCapText::paragraphs(typed);
    ASSERT_EQ(paragraphs.size(), 1);
    QString shown;
    for (const KeyCapText::Word &word : paragraphs.first()) {
        for (const KeyCapText::Segment &piece : word.pieces) {
            shown += piece.caps ? u"{"_s + piece.caps->join(u'+') + u"}"_s : piece.plain;
        }
        shown += QString(word.spacesAfter, u' ');
    }
    EXPECT_EQ(shown, typed);

    EXPECT_EQ(KeyCapText::spoken(u"Hold {option+shift} & press {command+1}."_s),
              u"Hold option shift & press command 1."_s);
    EXPECT_EQ(KeyCapText::spoken(u"<b>{esc}"_s), u"<b>esc"_s);

    // The form QML reads: paragraphs of {pieces, spacesAfter}, pieces {text} or {caps}.
    const QVariantList layout = KeyCapText::layoutValue(u"<i>x</i> {command+1}"_s);
    ASSERT_EQ(layout.size(), 1);
    const QVariantList words = layout.first().toList();
    ASSERT_EQ(words.size(), 2);
    const QVariantMap first = words.at(0).toMap();
    EXPECT_EQ(first.value(u"spacesAfter"_s).toInt(), 1);
    EXPECT_EQ(first.value(u"pieces"_s).toList().first().toMap().value(u"text"_s),
              QVariant(u"<i>x</i>"_s));
    EXPECT_EQ(words.at(1).toMap().value(u"pieces"_s).toList().first().toMap().value(u"caps"_s),
              QVariant(QStringList{u"⌘"_s, u"1"_s}));
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
