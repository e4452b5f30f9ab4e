#include "triggercondition.h"

#include "jsonenum.h"
#include "settings/jsonarray.h"

#include <QHashFunctions>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Case names in the order of TriggerCondition::Kind.
const QStringList &caseNames() {
    static const QStringList names{
        u"batteryBelow"_s, u"onBattery"_s,   u"charging"_s, u"wifiSSID"_s, u"appRunning"_s,
        u"appFrontmost"_s, u"focusActive"_s, u"allOf"_s,    u"anyOf"_s,    u"not"_s};
    return names;
}

QString joinedSummaries(const QList<TriggerCondition> &members, const QString &separator) {
    QStringList parts;
    parts.reserve(members.size());
    for (const TriggerCondition &member : members) {
        parts.append(member.summary());
    }
    return parts.join(separator);
}

} // namespace

TriggerCondition TriggerCondition::batteryBelow(qint64 percent) {
    TriggerCondition condition(Kind::BatteryBelow);
    condition.m_threshold = percent;
    return condition;
}

TriggerCondition TriggerCondition::onBattery() {
    return TriggerCondition(Kind::OnBattery);
}

TriggerCondition TriggerCondition::charging() {
    return TriggerCondition(Kind::Charging);
}

TriggerCondition TriggerCondition::wifiSSID(QString ssid) {
    TriggerCondition condition(Kind::WifiSSID);
    condition.m_text = std::move(ssid);
    return condition;
}

TriggerCondition TriggerCondition::appRunning(QString bundleID) {
    TriggerCondition condition(Kind::AppRunning);
    condition.m_text = std::move(bundleID);
    return condition;
}

TriggerCondition TriggerCondition::appFrontmost(QString bundleID) {
    TriggerCondition condition(Kind::AppFrontmost);
    condition.m_text = std::move(bundleID);
    return condition;
}

TriggerCondition TriggerCondition::focusActive() {
    return TriggerCondition(Kind::FocusActive);
}

TriggerCondition TriggerCondition::allOf(QList<TriggerCondition> members) {
    TriggerCondition condition(Kind::AllOf);
    condition.m_members = std::move(members);
    return condition;
}

TriggerCondition TriggerCondition::anyOf(QList<TriggerCondition> members) {
    TriggerCondition condition(Kind::AnyOf);
    condition.m_members = std::move(members);
    return condition;
}

TriggerCondition TriggerCondition::not_(TriggerCondition member) {
    TriggerCondition condition(Kind::Not);
    condition.m_members = {std::move(member)};
    return condition;
}

bool TriggerCondition::isSatisfied(const TriggerContext &context) const {
    switch (m_kind) {
    case Kind::BatteryBelow:
        // No reading counts as a full battery.
        return context.batteryPercent.value_or(100) < m_threshold;
    case Kind::OnBattery:
        return context.isOnBattery;
    case Kind::Charging:
        return context.isCharging;
    case Kind::WifiSSID:
        return context.currentSSID == m_text;
    case Kind::AppRunning:
        return context.runningBundleIDs.contains(m_text);
    case Kind::AppFrontmost:
        return context.frontmostBundleID == m_text;
    case Kind::FocusActive:
        return context.focusActive;
    case Kind::AllOf:
        return std::all_of(m_members.cbegin(), m_members.cend(),
                           [&](const TriggerCondition &m) { return m.isSatisfied(context); });
    case Kind::AnyOf:
        return std::any_of(m_members.cbegin(), m_members.cend(),
                           [&](const TriggerCondition &m) { return m.isSatisfied(context); });
    case Kind::Not:
        return !m_members.constFirst().isSatisfied(context);
    }
    Q_UNREACHABLE();
    return false;
}

QString TriggerCondition::summary() const {
    switch (m_kind) {
    case Kind::BatteryBelow:
        return u"battery below %1%"_s.arg(m_threshold);
    case Kind::OnBattery:
        return u"on battery"_s;
    case Kind::Charging:
        return u"charging"_s;
    case Kind::WifiSSID:
        return u"Wi-Fi is \u201C"_s + m_text + u"\u201D"_s;
    case Kind::AppRunning:
        return m_text + u" is running"_s;
    case Kind::AppFrontmost:
        return m_text + u" is frontmost"_s;
    case Kind::FocusActive:
        return u"a Focus is on"_s;
    case Kind::AllOf:
        return joinedSummaries(m_members, u" and "_s);
    case Kind::AnyOf:
        return joinedSummaries(m_members, u" or "_s);
    case Kind::Not:
        return u"not ("_s + m_members.constFirst().summary() + u")"_s;
    }
    Q_UNREACHABLE();
    return QString();
}

TriggerCondition TriggerCondition::fromJson(const JsonValueRef &value) {
    const JsonEnumCase found = decodeEnumCase(value, caseNames());
    const auto kind = static_cast<Kind>(caseNames().indexOf(found.name));
    switch (kind) {
    case Kind::BatteryBelow:
        return batteryBelow(found.payload.required(u"_0").toInt<qint64>());
    case Kind::OnBattery:
    case Kind::Charging:
    case Kind::FocusActive:
        return TriggerCondition(kind);
    case Kind::WifiSSID:
    case Kind::AppRunning:
    case Kind::AppFrontmost: {
        TriggerCondition condition(kind);
        condition.m_text = found.payload.required(u"_0").toString();
        return condition;
    }
    case Kind::AllOf:
    case Kind::AnyOf: {
        TriggerCondition condition(kind);
        condition.m_members = found.payload.required(u"_0").toArray().map<TriggerCondition>();
        return condition;
    }
    case Kind::Not:
        return not_(found.payload.required<TriggerCondition>(u"_0"));
    }
    Q_UNREACHABLE();
    return onBattery();
}

QJsonValue TriggerCondition::toJson() const {
    const QString &name = caseNames().at(static_cast<qsizetype>(m_kind));
    switch (m_kind) {
    case Kind::BatteryBelow:
        return encodeEnumCase(name, m_threshold);
    case Kind::OnBattery:
    case Kind::Charging:
    case Kind::FocusActive:
        return encodeEnumCase(name);
    case Kind::WifiSSID:
    case Kind::AppRunning:
    case Kind::AppFrontmost:
        return encodeEnumCase(name, m_text);
    case Kind::AllOf:
    case Kind::AnyOf:
        return encodeEnumCase(name, jsonArray(m_members));
    case Kind::Not:
        return encodeEnumCase(name, m_members.constFirst().toJson());
    }
    Q_UNREACHABLE();
    return QJsonValue();
}

size_t qHash(const TriggerCondition &condition, size_t seed) {
    const QList<TriggerCondition> &members = condition.members();
    return qHashMulti(seed, static_cast<int>(condition.kind()), condition.threshold(),
                      condition.text(), qHashRange(members.cbegin(), members.cend()));
}

} // namespace zorv
