#pragma once

#include "rulebuildermodel.h"
#include "ruleviewservices.h"
#include "triggers/triggerrule.h"

#include <QObject>
#include <QPointer>
#include <QVariant>

namespace zorv {

class AppModel;

// The rules pane's own state and texts: the rules card's kicker, the banner of a rule paused for
// switching on and off too fast, what the rules see of the Mac right now, the example rules, and
// the rule builder while one is open (for a new rule, an edit or an example; each request gets a
// fresh builder). A finished builder adds its rule, or replaces the rule it edited. The rule rows
// themselves are the model view's rule list, worded by sentence(). Main thread; the app model
// and the services must outlive it.
class RulesPaneModel : public QObject {
    Q_OBJECT

    Q_PROPERTY(QString rulesKicker READ rulesKicker NOTIFY rulesChanged)
    Q_PROPERTY(bool hasRules READ hasRules NOTIFY rulesChanged)
    // The banner's text; empty while no rule was paused.
    Q_PROPERTY(QString notice READ notice NOTIFY noticeChanged)
    // {kind: "pill" or "locationButton", text, symbol}, in order.
    Q_PROPERTY(QVariantList readout READ readout NOTIFY readoutChanged)
    // {title, why}
    Q_PROPERTY(QVariantList examples READ examples CONSTANT)
    Q_PROPERTY(zorv::RuleBuilderModel *builder READ builder NOTIFY builderChanged)

public:
    RulesPaneModel(AppModel &model, RuleViewServices services, QObject *parent = nullptr);

    [[nodiscard]] QString rulesKicker() const;
    [[nodiscard]] bool hasRules() const;
    [[nodiscard]] QString notice() const;
    [[nodiscard]] QVariantList readout() const;
    [[nodiscard]] QVariantList examples() const;
    [[nodiscard]] RuleBuilderModel *builder() const { return m_builder; }

    // "When " + condition + ", " + action + ".", in the words the user knows.
    [[nodiscard]] QString sentence(const TriggerRule &rule) const;

    Q_INVOKABLE void newRule();
    // The rule with the id (as text); an unknown id opens nothing.
    Q_INVOKABLE void editRule(const QString &id);
    // The example at `index`, built anew; an index out of range opens nothing.
    Q_INVOKABLE void fillInExample(int index);
    // The banner's OK: the notice goes for every view of the model.
    Q_INVOKABLE void dismissNotice();
    Q_INVOKABLE void requestLocation();

Q_SIGNALS:
    void rulesChanged();
    void noticeChanged();
    void readoutChanged();
    void builderChanged();

private:
    void open(std::optional<TriggerRule> existing, std::optional<TriggerRule> example);
    void closeBuilder();

    AppModel &m_model;
    RuleViewServices m_services;
    QPointer<RuleBuilderModel> m_builder;
};

} // namespace zorv
