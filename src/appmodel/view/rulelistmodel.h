#pragma once

#include "triggers/triggerrule.h"

#include <QAbstractListModel>
#include <QList>
#include <QUuid>
#include <QtQmlIntegration>

#include <functional>
#include <optional>

namespace zorv {

class AppModel;

// The user's rules in their order of evaluation, one row each, with whether each holds now or was
// paused for switching too fast, and the rule operations a list of rules offers. A rule is named
// by its id as text (see idText()); an operation on an id no rule has changes nothing and returns
// false. Writes go through the model, which saves and evaluates the rules again. Main thread; the
// model must outlive it.
class RuleListModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Part of the model view.")
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Roles {
        IdRole = Qt::UserRole + 1,
        NameRole,
        EnabledRole,
        // What the rule waits for and what it does, in a line each.
        ConditionRole,
        ActionRole,
        // The rule's held action is in force.
        ActiveRole,
        // The rule was paused for switching on and off too fast.
        SuspendedRole,
        // The rule as one sentence (see setWording()).
        SentenceRole,
        // The rule is on and its held action is in force.
        ActiveNowRole,
    };
    Q_ENUM(Roles)

    // Words a whole rule ("When …, ….").
    using Wording = std::function<QString(const TriggerRule &rule)>;

    explicit RuleListModel(AppModel &model, QObject *parent = nullptr);

    // Replaces the sentences' wording; by default they are made of the condition's and the
    // action's summaries.
    void setWording(Wording wording);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;
    [[nodiscard]] int count() const { return int(m_rows.size()); }

    Q_INVOKABLE bool setEnabled(const QString &id, bool enabled);
    Q_INVOKABLE bool remove(const QString &id);

Q_SIGNALS:
    void countChanged();

private:
    struct Row {
        QUuid id;
        QString name;
        bool enabled;
        QString condition;
        QString action;
        bool active;
        bool suspended;
        QString sentence;

        friend bool operator==(const Row &, const Row &) = default;
    };

    void refresh();
    [[nodiscard]] std::optional<QUuid> known(const QString &id) const;

    AppModel &m_model;
    Wording m_wording;
    QList<Row> m_rows;
};

} // namespace zorv
