#pragma once

#include "waitingrows.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

namespace zorv {

// The part of RowListModel that moc sees: the row count as a property views can bind.
class RowListModelBase : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    using QAbstractListModel::QAbstractListModel;

    [[nodiscard]] int count() const { return rowCount(); }

Q_SIGNALS:
    void countChanged();
};

// A list model of plain rows for QML views. Each row is a value of `Row` (a struct with
// operator==), each role one named field read from it; delegates bind the roles as required
// properties. setRows() replaces the rows and tells the views exactly what changed: a row that
// differs from the one in its place changes in place, rows past the old end are inserted and rows
// past the new end removed. So a delegate never shows a stale value, and a view keeps its
// delegates, its scroll position and its current row across an update.
//
// A model made with a key for its rows follows the rows by key instead: a row whose key is gone
// is removed, a new key inserted where it belongs and a row that changed place moved there, so
// the delegate a user is working in (a field being typed into, a recorder waiting for keys) stays
// with its row while others come, go and reorder around it. Each row's key is computed once, when
// the row comes, and a row's current place found without comparing keys row by row
// (WaitingRows), so a long list reordered costs little more than one left as it was.
template <typename Row> class RowListModel : public RowListModelBase {
public:
    struct Role {
        QByteArray name;
        std::function<QVariant(const Row &)> read;
    };
    using KeyOf = std::function<QString(const Row &)>;

    explicit RowListModel(QList<Role> roles, QObject *parent = nullptr)
        : RowListModelBase(parent), m_roles(std::move(roles)) {}
    RowListModel(QList<Role> roles, KeyOf keyOf, QObject *parent = nullptr)
        : RowListModelBase(parent), m_roles(std::move(roles)), m_keyOf(std::move(keyOf)) {}

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : int(m_rows.size());
    }

    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override {
        if (!checkIndex(index,
                        CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
            return {};
        }
        const int field = role - firstRole;
        if (field < 0 || field >= m_roles.size()) {
            return {};
        }
        return m_roles.at(field).read(m_rows.at(index.row()));
    }

    [[nodiscard]] QHash<int, QByteArray> roleNames() const override {
        QHash<int, QByteArray> names;
        for (int field = 0; field < m_roles.size(); ++field) {
            names.insert(firstRole + field, m_roles.at(field).name);
        }
        return names;
    }

    [[nodiscard]] const QList<Row> &rows() const { return m_rows; }

    void setRows(QList<Row> rows) {
        const qsizetype oldCount = m_rows.size();
        if (m_keyOf) {
            followByKey(rows);
        } else {
            followByPlace(rows);
        }
        if (m_rows.size() != oldCount) {
            Q_EMIT countChanged();
        }
    }

private:
    static constexpr int firstRole = Qt::UserRole + 1;

    void followByPlace(const QList<Row> &rows) {
        const qsizetype oldCount = m_rows.size();
        const qsizetype newCount = rows.size();
        if (newCount < oldCount) {
            removeTail(newCount);
        }
        const qsizetype kept = qMin(oldCount, newCount);
        for (qsizetype i = 0; i < kept; ++i) {
            replace(i, rows.at(i));
        }
        if (newCount > oldCount) {
            beginInsertRows({}, int(oldCount), int(newCount - 1));
            m_rows.append(rows.mid(oldCount));
            endInsertRows();
        }
    }

    void followByKey(const QList<Row> &rows) {
        QList<QString> keys;
        keys.reserve(rows.size());
        QHash<QString, qsizetype> wanted;
        wanted.reserve(rows.size());
        for (const Row &row : rows) {
            keys.append(m_keyOf(row));
            wanted[keys.last()] += 1;
        }
        // Rows no longer wanted go first (of a key listed fewer times now, the first ones), so
        // that every row left has its place in the new list.
        QList<QString> keptKeys;
        keptKeys.reserve(m_rows.size());
        for (qsizetype i = m_rows.size() - 1; i >= 0; --i) {
            auto left = wanted.find(m_keys.at(i));
            if (left == wanted.end() || left.value() == 0) {
                beginRemoveRows({}, int(i), int(i));
                m_rows.removeAt(i);
                endRemoveRows();
            } else {
                left.value() -= 1;
                keptKeys.append(m_keys.at(i));
            }
        }
        std::reverse(keptKeys.begin(), keptKeys.end());
        // Then the new list from the front: each row is the first kept row of its key, moved up
        // from among those not yet placed, or a new one.
        WaitingRows waiting(keptKeys);
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const std::optional<qsizetype> behind = waiting.place(keys.at(i));
            if (!behind) {
                beginInsertRows({}, int(i), int(i));
                m_rows.insert(i, rows.at(i));
                endInsertRows();
                continue;
            }
            if (*behind > 0) {
                const qsizetype from = i + *behind;
                beginMoveRows({}, int(from), int(from), {}, int(i));
                m_rows.move(from, i);
                endMoveRows();
            }
            replace(i, rows.at(i));
        }
        m_keys = std::move(keys);
    }

    void replace(qsizetype at, const Row &row) {
        if (!(m_rows.at(at) == row)) {
            m_rows[at] = row;
            const QModelIndex changed = index(int(at));
            Q_EMIT dataChanged(changed, changed);
        }
    }

    void removeTail(qsizetype keep) {
        if (m_rows.size() > keep) {
            beginRemoveRows({}, int(keep), int(m_rows.size() - 1));
            m_rows.resize(keep);
            endRemoveRows();
        }
    }

    QList<Role> m_roles;
    // Empty: rows are followed by place.
    KeyOf m_keyOf;
    QList<Row> m_rows;
    // Followed by key: each row's key, computed when the row came.
    QList<QString> m_keys;
};

} // namespace zorv
