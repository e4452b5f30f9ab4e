#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace zorv {

// Rates how well a typed query matches a candidate text (an item's application name, title or
// alias) for the search panel. Works on user-perceived characters: letter case and canonically
// equivalent spellings do not matter, and a base letter with its accents counts as one character.
class FuzzyMatch {
public:
    FuzzyMatch() = delete;

    // A text split into the characters matching compares (lower-cased grapheme clusters in
    // composed form). Splitting is most of a match's cost: texts scored against many queries are
    // prepared once.
    struct Prepared {
        QList<QString> characters;
        // Whether each character follows one that is not a letter or number (or starts the
        // text).
        QList<bool> wordStarts;

        friend bool operator==(const Prepared &, const Prepared &) = default;
    };
    [[nodiscard]] static Prepared prepare(const QString &text);

    // Higher is better; nullopt when the candidate does not hold the query's characters in order.
    // An empty query scores 0 against anything. The match is greedy: each query character takes
    // the earliest candidate character left, without backtracking for a better alignment.
    [[nodiscard]] static std::optional<int> score(const QString &query, const QString &candidate);
    [[nodiscard]] static std::optional<int> score(const Prepared &query, const Prepared &candidate);
};

} // namespace zorv
