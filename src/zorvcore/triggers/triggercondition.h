#pragma once

#include "jsonreader.h"
#include "triggercontext.h"

#include <QJsonValue>
#include <QList>
#include <QString>

namespace zorv {

// One condition of a user rule over the observed state of the Mac. Conditions nest: `allOf`,
// `anyOf` and `not_` hold further conditions. Values compare and hash structurally, members in
// order. Recursion over the nesting is bounded by the JSON nesting limit for everything decoded.
class TriggerCondition {
public:
    enum class Kind {
        BatteryBelow,
        OnBattery,
        Charging,
        WifiSSID,
        AppRunning,
        AppFrontmost,
        FocusActive,
        AllOf,
        AnyOf,
        Not,
    };

    [[nodiscard]] static TriggerCondition batteryBelow(qint64 percent);
    [[nodiscard]] static TriggerCondition onBattery();
    [[nodiscard]] static TriggerCondition charging();
    [[nodiscard]] static TriggerCondition wifiSSID(QString ssid);
    [[nodiscard]] static TriggerCondition appRunning(QString bundleID);
    [[nodiscard]] static TriggerCondition appFrontmost(QString bundleID);
    [[nodiscard]] static TriggerCondition focusActive();
    [[nodiscard]] static TriggerCondition allOf(QList<TriggerCondition> members);
    [[nodiscard]] static TriggerCondition anyOf(QList<TriggerCondition> members);
    // The `not` case; the keyword itself is taken by C++.
    [[nodiscard]] static TriggerCondition not_(TriggerCondition member);

    [[nodiscard]] Kind kind() const { return m_kind; }
    // The threshold of batteryBelow, 0 for every other case.
    [[nodiscard]] qint64 threshold() const { return m_threshold; }
    // The network name or bundle identifier of wifiSSID, appRunning and appFrontmost.
    [[nodiscard]] const QString &text() const { return m_text; }
    // The members of allOf and anyOf, the one negated condition of not_, empty otherwise.
    [[nodiscard]] const QList<TriggerCondition> &members() const { return m_members; }

    [[nodiscard]] bool isSatisfied(const TriggerContext &context) const;
    // Short lower-case English wording, used where the rules pane has none richer.
    [[nodiscard]] QString summary() const;

    [[nodiscard]] static TriggerCondition fromJson(const JsonValueRef &value);
    [[nodiscard]] QJsonValue toJson() const;

    friend bool operator==(const TriggerCondition &, const TriggerCondition &) = default;

private:
    explicit TriggerCondition(Kind kind) : m_kind(kind) {}

    Kind m_kind;
    qint64 m_threshold = 0;
    QString m_text;
    QList<TriggerCondition> m_members;
};

[[nodiscard]] size_t qHash(const TriggerCondition &condition, size_t seed = 0);

} // namespace zorv
