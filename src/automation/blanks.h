#pragma once

#include <QString>

namespace zorv {

// `text` without the spaces and tabs at both ends; line breaks stay. What the user types into a
// rule, and a notification's body, are trimmed this way.
[[nodiscard]] inline QString trimmedOfBlanks(const QString &text) {
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && blank(text.at(begin))) {
        ++begin;
    }
    while (end > begin && blank(text.at(end - 1))) {
        --end;
    }
    return text.mid(begin, end - begin);
}

} // namespace zorv
