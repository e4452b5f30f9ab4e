#include "ruledraft.h"

#include "blanks.h"
#include "rulewords.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

RuleDraft::RuleDraft(const QList<MenuBarItem> &items, const ProfileSet &profiles,
                     const Workspace &workspace, std::optional<TriggerRule> existing,
                     const std::optional<TriggerRule> &example)
    : m_items(items), m_profiles(profiles), m_workspace(workspace),
      m_existing(std::move(existing)) {
    const std::optional<TriggerRule> &seed = m_existing ? m_existing : example;
    if (!seed) {
        return;
    }
    m_name = seed->name;
    seedCondition(seed->condition);
    seedAction(seed->action);
}

void RuleDraft::seedCondition(const TriggerCondition &condition) {
    switch (condition.kind()) {
    case TriggerCondition::Kind::BatteryBelow:
        m_conditionKind = ConditionKind::BatteryBelow;
        m_batteryPercent = static_cast<int>(std::clamp<qint64>(condition.threshold(), 0, 100));
        break;
    case TriggerCondition::Kind::OnBattery:
        m_conditionKind = ConditionKind::OnBattery;
        break;
    case TriggerCondition::Kind::Charging:
        m_conditionKind = ConditionKind::Charging;
        break;
    case TriggerCondition::Kind::FocusActive:
        m_conditionKind = ConditionKind::FocusActive;
        break;
    case TriggerCondition::Kind::WifiSSID:
        m_conditionKind = ConditionKind::WifiSSID;
        m_ssid = condition.text();
        break;
    case TriggerCondition::Kind::AppRunning:
        m_conditionKind = ConditionKind::AppRunning;
        m_bundleID = condition.text();
        break;
    case TriggerCondition::Kind::AppFrontmost:
        m_conditionKind = ConditionKind::AppFrontmost;
        m_bundleID = condition.text();
        break;
    case TriggerCondition::Kind::AllOf:
    case TriggerCondition::Kind::AnyOf:
    case TriggerCondition::Kind::Not:
        m_keptCondition = condition;
        break;
    }
}

void RuleDraft::seedAction(const TriggerAction &action) {
    const auto onBar =
        [this](const std::optional<MenuBarItemID> &id) -> std::optional<MenuBarItemID> {
        for (const MenuBarItem &item : m_items) {
            if (id && item.id == *id) {
                return id;
            }
        }
        return std::nullopt;
    };
    switch (action.kind()) {
    case TriggerAction::Kind::RevealHidden:
        m_actionKind = ActionKind::RevealHidden;
        break;
    case TriggerAction::Kind::HideHidden:
        m_actionKind = ActionKind::HideHidden;
        break;
    case TriggerAction::Kind::Notify:
        m_actionKind = ActionKind::Notify;
        m_message = action.text();
        break;
    case TriggerAction::Kind::SwitchProfile:
        m_actionKind = ActionKind::SwitchProfile;
        for (const Profile &profile : m_profiles.profiles) {
            if (profile.id == action.profileID()) {
                m_profileID = profile.id;
                break;
            }
        }
        break;
    case TriggerAction::Kind::MoveItem:
        m_actionKind = ActionKind::MoveItem;
        m_lane = action.section();
        m_itemID = onBar(action.item());
        break;
    case TriggerAction::Kind::RevealItem:
        m_actionKind = ActionKind::RevealItem;
        m_itemID = onBar(action.item());
        break;
    }
}

QString RuleDraft::title(ConditionKind kind) {
    switch (kind) {
    case ConditionKind::BatteryBelow:
        return u"Battery is below\u2026"_s;
    case ConditionKind::OnBattery:
        return u"Running on battery"_s;
    case ConditionKind::Charging:
        return u"Plugged in"_s;
    case ConditionKind::WifiSSID:
        return u"On a Wi-Fi network\u2026"_s;
    case ConditionKind::AppRunning:
        return u"An app is open\u2026"_s;
    case ConditionKind::AppFrontmost:
        return u"An app is in front\u2026"_s;
    case ConditionKind::FocusActive:
        return u"A Focus is on"_s;
    }
    return {};
}

QString RuleDraft::title(ActionKind kind) {
    switch (kind) {
    case ActionKind::RevealHidden:
        return u"Reveal hidden items"_s;
    case ActionKind::HideHidden:
        return u"Hide hidden items"_s;
    case ActionKind::MoveItem:
        return u"Move an item to a lane\u2026"_s;
    case ActionKind::RevealItem:
        return u"Open an item\u2026"_s;
    case ActionKind::SwitchProfile:
        return u"Switch to a profile\u2026"_s;
    case ActionKind::Notify:
        return u"Send me a notification\u2026"_s;
    }
    return {};
}

void RuleDraft::setConditionKind(ConditionKind kind) {
    m_keptCondition.reset();
    m_conditionKind = kind;
}

void RuleDraft::setBatteryPercent(int percent) {
    m_keptCondition.reset();
    m_batteryPercent = std::clamp(percent, 0, 100);
}

void RuleDraft::setNetwork(const QString &ssid) {
    m_keptCondition.reset();
    m_ssid = ssid;
}

void RuleDraft::setBundleID(const QString &bundleID) {
    m_keptCondition.reset();
    m_bundleID = bundleID;
}

std::optional<TriggerCondition> RuleDraft::buildCondition() const {
    if (m_keptCondition) {
        return m_keptCondition;
    }
    switch (m_conditionKind) {
    case ConditionKind::BatteryBelow:
        return TriggerCondition::batteryBelow(m_batteryPercent);
    case ConditionKind::OnBattery:
        return TriggerCondition::onBattery();
    case ConditionKind::Charging:
        return TriggerCondition::charging();
    case ConditionKind::FocusActive:
        return TriggerCondition::focusActive();
    case ConditionKind::WifiSSID: {
        const QString ssid = trimmedOfBlanks(m_ssid);
        return ssid.isEmpty() ? std::nullopt : std::optional(TriggerCondition::wifiSSID(ssid));
    }
    case ConditionKind::AppRunning:
        return m_bundleID.isEmpty() ? std::nullopt
                                    : std::optional(TriggerCondition::appRunning(m_bundleID));
    case ConditionKind::AppFrontmost:
        return m_bundleID.isEmpty() ? std::nullopt
                                    : std::optional(TriggerCondition::appFrontmost(m_bundleID));
    }
    return std::nullopt;
}

std::optional<TriggerAction> RuleDraft::buildAction() const {
    switch (m_actionKind) {
    case ActionKind::RevealHidden:
        return TriggerAction::revealHidden();
    case ActionKind::HideHidden:
        return TriggerAction::hideHidden();
    case ActionKind::MoveItem:
        return m_itemID ? std::optional(TriggerAction::moveItem(*m_itemID, m_lane)) : std::nullopt;
    case ActionKind::RevealItem:
        return m_itemID ? std::optional(TriggerAction::revealItem(*m_itemID)) : std::nullopt;
    case ActionKind::SwitchProfile:
        return m_profileID ? std::optional(TriggerAction::switchProfile(*m_profileID))
                           : std::nullopt;
    case ActionKind::Notify: {
        const QString message = trimmedOfBlanks(m_message);
        return message.isEmpty() ? std::nullopt : std::optional(TriggerAction::notify(message));
    }
    }
    return std::nullopt;
}

QString RuleDraft::suggestedName() const {
    if (const auto condition = buildCondition()) {
        QString words = RuleWords(m_items, m_profiles, m_workspace).condition(*condition);
        if (!words.isEmpty()) {
            words[0] = words[0].toUpper();
        }
        return words;
    }
    return title(m_conditionKind).remove(u'\u2026');
}

QString RuleDraft::sentence() const {
    const auto condition = buildCondition();
    if (!condition) {
        return u"When\u2026"_s;
    }
    const RuleWords words(m_items, m_profiles, m_workspace);
    const auto action = buildAction();
    return u"When "_s + words.condition(*condition) + u", "_s +
           (action ? words.action(*action) + u"."_s : u"\u2026"_s);
}

std::optional<TriggerRule> RuleDraft::rule() const {
    const auto condition = buildCondition();
    const auto action = buildAction();
    if (!condition || !action) {
        return std::nullopt;
    }
    const QString name = trimmedOfBlanks(m_name);
    return TriggerRule{m_existing ? m_existing->id : QUuid::createUuid(),
                       name.isEmpty() ? suggestedName() : name,
                       m_existing ? m_existing->isEnabled : true, *condition, *action};
}

} // namespace zorv
