#include "rulespanemodel.h"

#include "appmodel.h"
#include "contextreadout.h"
#include "locationgate.h"
#include "modelrules.h"
#include "rulewords.h"
#include "triggerexamples.h"

using namespace Qt::StringLiterals;

namespace zorv {

RulesPaneModel::RulesPaneModel(AppModel &model, RuleViewServices services, QObject *parent)
    : QObject(parent), m_model(model), m_services(std::move(services)) {
    connect(&model, &AppModel::triggersChanged, this, &RulesPaneModel::rulesChanged);
    connect(&model, &AppModel::triggerNoticeChanged, this, &RulesPaneModel::noticeChanged);
    connect(&model, &AppModel::automationContextChanged, this, &RulesPaneModel::readoutChanged);
    connect(&m_services.location, &LocationGate::statusChanged, this,
            &RulesPaneModel::readoutChanged);
}

QString RulesPaneModel::rulesKicker() const {
    const qsizetype count = m_model.triggers().rules.size();
    if (count == 0) {
        return u"No Rules Yet"_s;
    }
    return QString::number(count) + (count == 1 ? u" Rule"_s : u" Rules"_s);
}

bool RulesPaneModel::hasRules() const {
    return !m_model.triggers().rules.isEmpty();
}

QString RulesPaneModel::notice() const {
    const std::optional<QString> &notice = m_model.triggerNotice();
    return notice ? *notice + u" It resumes by itself in a minute."_s : QString();
}

QVariantList RulesPaneModel::readout() const {
    QVariantList elements;
    for (const ReadoutElement &element :
         contextReadout(m_model.automationContext(), m_services.location.status())) {
        elements.append(QVariantMap{{u"kind"_s, element.kind == ReadoutElement::Kind::Pill
                                                    ? u"pill"_s
                                                    : u"locationButton"_s},
                                    {u"text"_s, element.text},
                                    {u"symbol"_s, element.symbol}});
    }
    return elements;
}

QVariantList RulesPaneModel::examples() const {
    QVariantList examples;
    for (const TriggerExamples::Example &example : TriggerExamples::all(m_services.wifi)) {
        examples.append(QVariantMap{{u"title"_s, example.title}, {u"why"_s, example.why}});
    }
    return examples;
}

QString RulesPaneModel::sentence(const TriggerRule &rule) const {
    return RuleWords(m_model, m_services.workspace).sentence(rule);
}

void RulesPaneModel::newRule() {
    open(std::nullopt, std::nullopt);
}

void RulesPaneModel::editRule(const QString &id) {
    const QUuid uuid = QUuid::fromString(id);
    if (uuid.isNull()) {
        return;
    }
    for (const TriggerRule &rule : m_model.triggers().rules) {
        if (rule.id == uuid) {
            open(rule, std::nullopt);
            return;
        }
    }
}

void RulesPaneModel::fillInExample(int index) {
    const QList<TriggerExamples::Example> examples = TriggerExamples::all(m_services.wifi);
    if (index >= 0 && index < examples.size()) {
        open(std::nullopt, examples.at(index).rule);
    }
}

void RulesPaneModel::dismissNotice() {
    m_model.setTriggerNotice(std::nullopt);
}

void RulesPaneModel::requestLocation() {
    m_services.location.request();
}

void RulesPaneModel::open(std::optional<TriggerRule> existing, std::optional<TriggerRule> example) {
    closeBuilder();
    const bool editing = existing.has_value();
    auto *builder = new RuleBuilderModel(
        m_model, m_services, std::move(existing), std::move(example),
        [this, editing](const TriggerRule &rule) {
            // An edit of a rule deleted meanwhile changes nothing: it is not added again.
            if (editing) {
                m_model.rules().updateTrigger(rule);
            } else {
                m_model.rules().addTrigger(rule);
            }
        },
        this);
    connect(builder, &RuleBuilderModel::finished, this, [this, builder] {
        if (m_builder == builder) {
            closeBuilder();
        }
    });
    m_builder = builder;
    Q_EMIT builderChanged();
}

void RulesPaneModel::closeBuilder() {
    if (!m_builder) {
        return;
    }
    // The sheet may still be handling the click that finished it.
    m_builder->deleteLater();
    m_builder = nullptr;
    Q_EMIT builderChanged();
}

} // namespace zorv
