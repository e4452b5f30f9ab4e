#include "rulelistmodel.h"

#include "appmodel.h"
#include "changedrows.h"
#include "modelrules.h"
#include "profilelistmodel.h"

namespace zorv {

using namespace Qt::StringLiterals;

RuleListModel::RuleListModel(AppModel &model, QObject *parent)
    : QAbstractListModel(parent), m_model(model) {
    // Sentences name items and profiles as they are now.
    for (const auto signal : {&AppModel::triggersChanged, &AppModel::activeTriggerRuleIDsChanged,
                              &AppModel::suspendedTriggerRuleIDsChanged, &AppModel::itemsChanged,
                              &AppModel::profilesChanged}) {
        connect(&model, signal, this, &RuleListModel::refresh);
    }
    refresh();
}

void RuleListModel::setWording(Wording wording) {
    m_wording = std::move(wording);
    refresh();
}

int RuleListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant RuleListModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const Row &row = m_rows[index.row()];
    switch (role) {
    case IdRole:
        return idText(row.id);
    case Qt::DisplayRole:
    case NameRole:
        return row.name;
    case EnabledRole:
        return row.enabled;
    case ConditionRole:
        return row.condition;
    case ActionRole:
        return row.action;
    case ActiveRole:
        return row.active;
    case SuspendedRole:
        return row.suspended;
    case SentenceRole:
        return row.sentence;
    case ActiveNowRole:
        return row.enabled && row.active;
    default:
        return {};
    }
}

QHash<int, QByteArray> RuleListModel::roleNames() const {
    return {{IdRole, "id"},
            {NameRole, "name"},
            {EnabledRole, "enabled"},
            {ConditionRole, "condition"},
            {ActionRole, "action"},
            {ActiveRole, "active"},
            {SuspendedRole, "suspended"},
            {SentenceRole, "sentence"},
            {ActiveNowRole, "activeNow"}};
}

void RuleListModel::refresh() {
    QList<Row> rows;
    for (const TriggerRule &rule : m_model.triggers().rules) {
        const QString sentence = m_wording ? m_wording(rule)
                                           : u"When "_s + rule.condition.summary() + u", "_s +
                                                 rule.action.summary() + u"."_s;
        rows.append({rule.id, rule.name, rule.isEnabled, rule.condition.summary(),
                     rule.action.summary(), m_model.activeTriggerRuleIDs().contains(rule.id),
                     m_model.suspendedTriggerRuleIDs().contains(rule.id), sentence});
    }
    if (rows.size() != m_rows.size()) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
        Q_EMIT countChanged();
    } else if (const auto changed = changedRows(m_rows, rows)) {
        m_rows = rows;
        Q_EMIT dataChanged(index(int(changed->first)), index(int(changed->second)));
    }
}

std::optional<QUuid> RuleListModel::known(const QString &text) const {
    const QUuid id = QUuid::fromString(text);
    if (id.isNull()) {
        return std::nullopt;
    }
    for (const Row &row : m_rows) {
        if (row.id == id) {
            return id;
        }
    }
    return std::nullopt;
}

bool RuleListModel::setEnabled(const QString &text, bool enabled) {
    const std::optional<QUuid> id = known(text);
    if (id) {
        m_model.rules().setTriggerEnabled(*id, enabled);
    }
    return id.has_value();
}

bool RuleListModel::remove(const QString &text) {
    const std::optional<QUuid> id = known(text);
    if (id) {
        m_model.rules().deleteTrigger(*id);
    }
    return id.has_value();
}

} // namespace zorv
