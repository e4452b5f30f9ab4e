#pragma once

#include <QList>

#include <optional>
#include <utility>

namespace zorv {

// The first and last rows that differ when `next` replaces `current`, a list of the same length;
// nothing when none does. List models use it to report only what changed.
template <typename Row>
[[nodiscard]] std::optional<std::pair<qsizetype, qsizetype>> changedRows(const QList<Row> &current,
                                                                         const QList<Row> &next) {
    std::optional<std::pair<qsizetype, qsizetype>> span;
    for (qsizetype i = 0; i < next.size(); ++i) {
        if (next[i] != current[i]) {
            span = std::pair(span ? span->first : i, i);
        }
    }
    return span;
}

} // namespace zorv
