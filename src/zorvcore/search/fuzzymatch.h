#pragma once

#include <QString>

#include <optional>

namespace zorv {

// Rates how well a typed query matches a candidate text (an item's application name, title or
// alias) for the search panel. Works on user-perceived characters: letter case and canonically
// equivalent spellings do not matter, and a base letter with its accents counts as one character.
class FuzzyMatch {
public:
    FuzzyMatch() = delete;

    // Higher is better; nullopt when the candidate does not hold the query's characters in order.
    // An empty query scores 0 against anything. The match is greedy: each query character takes
    // the earliest candidate character left, without backtracking for a better alignment.
    [[nodiscard]] static std::optional<int> score(const QString &query, const QString &candidate);
};

} // namespace zorv
