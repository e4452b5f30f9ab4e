#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QList>

#include <functional>
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
template <typename Row> class RowListModel : public RowListModelBase {
public:
    struct Role {
        QByteArray name;
        std::function<QVariant(const Row &)> read;
    };

    explicit RowListModel(QList<Role> roles, QObject *parent = nullptr)
        : RowListModelBase(parent), m_roles(std::move(roles)) {}

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
        const qsizetype newCount = rows.size();
        if (newCount < oldCount) {
            beginRemoveRows({}, int(newCount), int(oldCount - 1));
            m_rows.resize(newCount);
            endRemoveRows();
        }
        const qsizetype kept = qMin(oldCount, newCount);
        for (qsizetype i = 0; i < kept; ++i) {
            if (!(m_rows.at(i) == rows.at(i))) {
                m_rows[i] = rows.at(i);
                const QModelIndex changed = index(int(i));
                Q_EMIT dataChanged(changed, changed);
            }
        }
        if (newCount > oldCount) {
            beginInsertRows({}, int(oldCount), int(newCount - 1));
            m_rows.append(rows.mid(oldCount));
            endInsertRows();
        }
        if (newCount != oldCount) {
            Q_EMIT countChanged();
        }
    }

private:
    static constexpr int firstRole = Qt::UserRole + 1;

    QList<Role> m_roles;
    QList<Row> m_rows;
};

} // namespace zorv
