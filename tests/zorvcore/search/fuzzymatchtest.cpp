#include "search/fuzzymatch.h"

#include <QList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

struct ScoreCase {
    QString query;
    QString candidate;
    std::optional<int> expected;
};

void expectScores(const QList<ScoreCase> &cases) {
    for (const ScoreCase &c : cases) {
        EXPECT_EQ(FuzzyMatch::score(c.query, c.candidate), c.expected)
            << qPrintable(c.query) << " in " << qPrintable(c.candidate);
    }
}

TEST(FuzzyMatchTest, ScoresAdjacencyWordStartsAndShortness) {
    expectScores({
        {QString(), u"Dropbox"_s, 0},
        {QString(), QString(), 0},
        {u"d"_s, QString(), std::nullopt},
        {u"dr"_s, u"Dropbox"_s, 20},
        {u"DR"_s, u"Dropbox"_s, 20},
        {u"box"_s, u"Dropbox"_s, 18},
        {u"wf"_s, u"Wi-Fi"_s, 23},
        {u"z"_s, u"Dropbox"_s, std::nullopt},
        {u"bd"_s, u"Dropbox"_s, std::nullopt},
        // Greedy: "o" takes the first "o", so the later "ox" run earns no adjacency.
        {u"ox"_s, u"Dropbox"_s, 1 + 1 + 5},
        // Twelve and thirteen characters: no shortness bonus either way.
        {u"a"_s, u"abcdefghijkl"_s, 9},
        {u"a"_s, u"abcdefghijklm"_s, 9},
        {u"a"_s, u"a"_s, 9 + 11},
        // Digits count as word characters, so no word-start bonus after one.
        {u"b"_s, u"1b"_s, 1 + 10},
        {u"b"_s, u"_b"_s, 1 + 6 + 10},
    });
}

TEST(FuzzyMatchTest, WorksOnUserPerceivedCharactersAcrossScripts) {
    const QString composed = u"Caf\u00e9"_s;    // é as one code point
    const QString decomposed = u"Cafe\u0301"_s; // e + combining acute accent
    expectScores({
        // Canonically equivalent spellings match each other, both ways round.
        {u"\u00e9"_s, decomposed, 1 + 8},
        {u"e\u0301"_s, composed, 1 + 8},
        // A bare "e" is not "é": the accent belongs to the character.
        {u"e"_s, decomposed, std::nullopt},
        // Four characters long, whichever the spelling.
        {u"caf"_s, decomposed, 9 + 6 + 6 + 8},
        // Upper-case accented letters and Cyrillic lower-case too.
        {u"\u00e9"_s, u"\u00c9T\u00c9"_s, 9 + 9},
        {u"\u043f\u0440"_s, u"\u041f\u0420\u0418\u0412\u0415\u0422"_s, 9 + 6 + 6},
        // Han characters are letters: no word-start bonus inside a word.
        {u"\u8bcd"_s, u"\u5fae\u4fe1\u8bcd"_s, 1 + 9},
        // An emoji with a skin-tone modifier is one character and not a letter.
        {u"a"_s, u"\U0001F44D\U0001F3FDa"_s, 1 + 6 + 10},
        // Letters with a combining mark still count as letters before a match.
        {u"b"_s, u"e\u0301b"_s, 1 + 10},
    });
}

TEST(FuzzyMatchTest, LowerCasesFully) {
    // "İ" lower-cases to "i" with a combining dot, one character that is not a plain "i".
    expectScores({
        {u"i\u0307"_s, u"\u0130stanbul"_s, 9 + 4},
        {u"\u0130"_s, u"i\u0307stanbul"_s, 9 + 4},
        {u"stra\u00df"_s, u"STRA\u1E9E"_s, 9 + 6 + 6 + 6 + 6 + 7},
    });
}

} // namespace
} // namespace zorv
