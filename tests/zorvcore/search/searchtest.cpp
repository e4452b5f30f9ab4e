#include "search/fuzzymatch.h"
#include "search/stablekey.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

struct ScoreCase {
    QString query, candidate;
    std::optional<int> expected;
};

ScoreCase scores(QString query, QString candidate, std::optional<int> expected) {
    return {std::move(query), std::move(candidate), expected};
}

void expectScores(std::initializer_list<ScoreCase> cases) {
    for (const ScoreCase &c : cases) {
        EXPECT_EQ(FuzzyMatch::score(c.query, c.candidate), c.expected)
            << qPrintable(c.query) << " in " << qPrintable(c.candidate);
    }
}

// Matching is greedy ("o" takes the first "o" of "Dropbox", so "ox" earns no adjacency), names of
// up to twelve characters score a shortness bonus, and a digit counts as a word character.
TEST(FuzzyMatchTest, ScoresAdjacencyWordStartsAndShortness) {
    expectScores({scores(QString(), u"Dropbox"_s, 0), scores(u"d"_s, QString(), std::nullopt),
                  scores(u"DR"_s, u"Dropbox"_s, 20), scores(u"box"_s, u"Dropbox"_s, 18),
                  scores(u"wf"_s, u"Wi-Fi"_s, 23), scores(u"bd"_s, u"Dropbox"_s, std::nullopt),
                  scores(u"ox"_s, u"Dropbox"_s, 7), scores(u"a"_s, u"abcdefghijkl"_s, 9),
                  scores(u"a"_s, u"a"_s, 20), scores(u"b"_s, u"1b"_s, 11),
                  scores(u"b"_s, u"_b"_s, 17)});
}

// Canonically equivalent spellings match both ways round and count as one character each, but a
// bare "e" is not "é". Upper-case accented and Cyrillic letters fold; Han characters are letters
// (no word start inside a word); an emoji with a skin tone is one character that is not a letter;
// "İ" lower-cases fully to "i" with a combining dot, and "ẞ" to "ß".
TEST(FuzzyMatchTest, WorksOnUserPerceivedCharactersAcrossScripts) {
    expectScores(
        {scores(u"\u00e9"_s, u"Cafe\u0301"_s, 9), scores(u"e\u0301"_s, u"Caf\u00e9"_s, 9),
         scores(u"e"_s, u"Cafe\u0301"_s, std::nullopt), scores(u"caf"_s, u"Cafe\u0301"_s, 29),
         scores(u"\u00e9"_s, u"\u00c9T\u00c9"_s, 18),
         scores(u"\u043f\u0440"_s, u"\u041f\u0420\u0418\u0412\u0415\u0422"_s, 21),
         scores(u"\u8bcd"_s, u"\u5fae\u4fe1\u8bcd"_s, 10),
         scores(u"a"_s, u"\U0001F44D\U0001F3FDa"_s, 17), scores(u"b"_s, u"e\u0301b"_s, 11),
         scores(u"i\u0307"_s, u"\u0130stanbul"_s, 13), scores(u"\u0130"_s, u"i\u0307stanbul"_s, 13),
         scores(u"stra\u00df"_s, u"STRA\u1E9E"_s, 40)});
}

TEST(StableKeyTest, KeepsTheOrdinalWhereIdentityIgnoresItAndNeverTheTitle) {
    const MenuBarItemID first{u"com.a"_s, u"clock"_s, u"9:41"_s, 0};
    const MenuBarItemID second{u"com.a"_s, u"clock"_s, u"9:42"_s, 1};
    ASSERT_EQ(first, second);
    EXPECT_EQ(stableKey(first), u"com.a#clock##0"_s);
    EXPECT_EQ(stableKey(second), u"com.a#clock##1"_s);
    EXPECT_EQ(stableKey({u"com.a"_s, QString(), u"Title"_s, -3}), u"com.a###-3"_s);
    EXPECT_EQ(stableKey({u"com.a"_s, std::nullopt, std::nullopt, -3}), u"com.a###-3"_s);
    EXPECT_EQ(stableKey({u"com.a"_s, std::nullopt, std::nullopt, 4294967296}),
              u"com.a###4294967296"_s);
}

} // namespace
} // namespace zorv
