#pragma once

#include <QAbstractItemModel>
#include <QObject>
#include <QStringList>

#include <utility>

namespace zorv {

// What views hear of a model's updates, one line per signal: "changed 1", "inserted 2-3",
// "removed 0", "moved 3 to 1", "reset".
class HeardUpdates {
public:
    explicit HeardUpdates(QAbstractItemModel &model) {
        QObject::connect(&model, &QAbstractItemModel::dataChanged,
                         [this](const QModelIndex &from, const QModelIndex &to) {
                             m_lines.append(QStringLiteral("changed ") +
                                            span(from.row(), to.row()));
                         });
        QObject::connect(&model, &QAbstractItemModel::rowsInserted,
                         [this](const QModelIndex &, int first, int last) {
                             m_lines.append(QStringLiteral("inserted ") + span(first, last));
                         });
        QObject::connect(&model, &QAbstractItemModel::rowsRemoved,
                         [this](const QModelIndex &, int first, int last) {
                             m_lines.append(QStringLiteral("removed ") + span(first, last));
                         });
        QObject::connect(&model, &QAbstractItemModel::rowsMoved,
                         [this](const QModelIndex &, int first, int, const QModelIndex &, int to) {
                             m_lines.append(QStringLiteral("moved %1 to %2").arg(first).arg(to));
                         });
        QObject::connect(&model, &QAbstractItemModel::modelReset,
                         [this] { m_lines.append(QStringLiteral("reset")); });
    }
    HeardUpdates(const HeardUpdates &) = delete;
    HeardUpdates &operator=(const HeardUpdates &) = delete;

    // The lines heard since the last call.
    QStringList take() { return std::exchange(m_lines, {}); }

private:
    static QString span(int first, int last) {
        return first == last ? QString::number(first)
                             : QStringLiteral("%1-%2").arg(first).arg(last);
    }

    QStringList m_lines;
};

} // namespace zorv
