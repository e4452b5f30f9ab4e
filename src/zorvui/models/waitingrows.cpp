#include "waitingrows.h"

namespace zorv {

WaitingRows::WaitingRows(const QList<QString> &keys)
    : m_nextOfKey(keys.size(), -1), m_placed(keys.size() + 1, 0) {
    m_firstWaiting.reserve(keys.size());
    // From the back, so that each key ends with its first row.
    for (qsizetype row = keys.size() - 1; row >= 0; --row) {
        const auto first = m_firstWaiting.find(keys.at(row));
        if (first == m_firstWaiting.end()) {
            m_firstWaiting.insert(keys.at(row), row);
        } else {
            m_nextOfKey[row] = first.value();
            first.value() = row;
        }
    }
}

std::optional<qsizetype> WaitingRows::place(const QString &key) {
    const auto first = m_firstWaiting.find(key);
    if (first == m_firstWaiting.end() || first.value() < 0) {
        return std::nullopt;
    }
    const qsizetype row = first.value();
    first.value() = m_nextOfKey.at(row);
    const qsizetype waitingBefore = row - placedBefore(row);
    for (qsizetype at = row + 1; at < m_placed.size(); at += at & -at) {
        m_placed[at] += 1;
    }
    return waitingBefore;
}

qsizetype WaitingRows::placedBefore(qsizetype row) const {
    qsizetype placed = 0;
    for (qsizetype at = row; at > 0; at -= at & -at) {
        placed += m_placed.at(at);
    }
    return placed;
}

} // namespace zorv
