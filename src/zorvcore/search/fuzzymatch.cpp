#include "fuzzymatch.h"

#include <QList>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace zorv {

namespace {

constexpr int kAdjacentPoints = 6;
constexpr int kGapPoints = 1;
constexpr int kFirstPositionBonus = 8;
constexpr int kWordStartBonus = 6;
constexpr int kShortnessLimit = 12;

// Lower-cased grapheme clusters, each in composed form so that canonically equivalent spellings
// ("é" as one code point or as "e" plus a combining accent) compare equal.
QList<QString> characters(const QString &text) {
    const QString lowered = text.toLower();
    QList<QString> result;
    // Printable ASCII is one character per code unit, already composed.
    const bool plain = std::all_of(lowered.cbegin(), lowered.cend(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() < 0x7F;
    });
    if (plain) {
        result.reserve(lowered.size());
        for (const QChar c : lowered) {
            result.append(QString(c));
        }
        return result;
    }
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, lowered);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype end = finder.position();
        result.append(lowered.mid(start, end - start).normalized(QString::NormalizationForm_C));
        start = end;
    }
    return result;
}

// Judged by the character's first code point, so "a" with a combining accent is still a letter.
bool isLetterOrNumber(const QString &character) {
    if (character.isEmpty()) {
        return false;
    }
    char32_t first = character.front().unicode();
    if (character.size() > 1 && character.at(0).isHighSurrogate() &&
        character.at(1).isLowSurrogate()) {
        first = QChar::surrogateToUcs4(character.at(0), character.at(1));
    }
    return QChar::isLetterOrNumber(first);
}

} // namespace

FuzzyMatch::Prepared FuzzyMatch::prepare(const QString &text) {
    Prepared prepared;
    prepared.characters = characters(text);
    prepared.wordStarts.reserve(prepared.characters.size());
    for (qsizetype i = 0; i < prepared.characters.size(); ++i) {
        prepared.wordStarts.append(i == 0 || !isLetterOrNumber(prepared.characters.at(i - 1)));
    }
    return prepared;
}

std::optional<int> FuzzyMatch::score(const QString &query, const QString &candidate) {
    return score(prepare(query), prepare(candidate));
}

std::optional<int> FuzzyMatch::score(const Prepared &query, const Prepared &candidate) {
    const QList<QString> &wanted = query.characters;
    if (wanted.isEmpty()) {
        return 0;
    }
    const QList<QString> &text = candidate.characters;
    if (text.isEmpty()) {
        return std::nullopt;
    }

    int total = 0;
    qsizetype searchStart = 0;
    qsizetype previousMatch = -1;
    for (const QString &character : wanted) {
        const qsizetype position = text.indexOf(character, searchStart);
        if (position < 0) {
            return std::nullopt;
        }
        int points =
            (previousMatch >= 0 && position == previousMatch + 1) ? kAdjacentPoints : kGapPoints;
        if (position == 0) {
            points += kFirstPositionBonus;
        } else if (candidate.wordStarts.at(position)) {
            points += kWordStartBonus;
        }
        total += points;
        previousMatch = position;
        searchStart = position + 1;
    }
    if (text.size() <= kShortnessLimit) {
        total += kShortnessLimit - static_cast<int>(text.size());
    }
    return total;
}

} // namespace zorv
