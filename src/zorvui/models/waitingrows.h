#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace zorv {

// The rows of a keyed list still waiting for their place while the list walks its new order from
// the front: each row placed goes before every waiting one, so the waiting rows stand behind the
// placed ones in their old order, and a waiting row's place is the count placed so far plus the
// waiting rows before it. Rows of a key are placed in their old order. Finding a key's row is a
// hash look-up and counting the rows before it a logarithmic sum, so a whole walk never compares
// keys row against row.
class WaitingRows {
public:
    // The rows' keys, in their order; each key is given once and never computed again.
    explicit WaitingRows(const QList<QString> &keys);

    // Places the first waiting row of `key`: how many waiting rows stood before it, or nothing
    // when no row of that key waits.
    [[nodiscard]] std::optional<qsizetype> place(const QString &key);

private:
    [[nodiscard]] qsizetype placedBefore(qsizetype row) const;

    // Per key, the first of its rows still waiting (-1: none left).
    QHash<QString, qsizetype> m_firstWaiting;
    // Per row, the next row of the same key (-1: the last).
    QList<qsizetype> m_nextOfKey;
    // Placed rows counted in a Fenwick tree: entry i (from 1) sums rows (i - lowbit(i), i].
    QList<qsizetype> m_placed;
};

} // namespace zorv
