#pragma once

#include "menubaritem.h"
#include "profiles/profileset.h"
#include "triggers/triggerrule.h"

#include <QList>
#include <QString>

#include <optional>

namespace zorv {

class Workspace;

// What the rule builder edits: one condition, one action and a name, seeded from the rule being
// edited or an example, turned back into a rule only once both halves are complete. A stored
// condition the builder cannot show (all of, any of, not; from an import or another Mac) is kept
// as it is, read-only, until the user picks a condition of their own. A notification needs a
// text: a message of only spaces and tabs would never be posted. Main thread.
class RuleDraft {
public:
    enum class ConditionKind {
        BatteryBelow,
        OnBattery,
        Charging,
        WifiSSID,
        AppRunning,
        AppFrontmost,
        FocusActive
    };
    enum class ActionKind { RevealHidden, HideHidden, MoveItem, RevealItem, SwitchProfile, Notify };

    // Seeds from `existing` when editing, else from `example`, else a new rule (battery below
    // 20%, reveal hidden items). Items and profiles that no longer exist seed nothing.
    RuleDraft(const QList<MenuBarItem> &items, const ProfileSet &profiles,
              const Workspace &workspace, std::optional<TriggerRule> existing = std::nullopt,
              const std::optional<TriggerRule> &example = std::nullopt);

    [[nodiscard]] static QString title(ConditionKind kind);
    [[nodiscard]] static QString title(ActionKind kind);

    void setName(const QString &name) { m_name = name; }
    void setConditionKind(ConditionKind kind);
    void setBatteryPercent(int percent);
    void setNetwork(const QString &ssid);
    void setBundleID(const QString &bundleID);
    void setActionKind(ActionKind kind) { m_actionKind = kind; }
    void setProfile(std::optional<QUuid> profileID) { m_profileID = std::move(profileID); }
    void setItem(std::optional<MenuBarItemID> itemID) { m_itemID = std::move(itemID); }
    void setLane(Section lane) { m_lane = lane; }
    void setMessage(const QString &message) { m_message = message; }

    [[nodiscard]] bool isEditing() const { return m_existing.has_value(); }
    [[nodiscard]] const QString &name() const { return m_name; }
    [[nodiscard]] ConditionKind conditionKind() const { return m_conditionKind; }
    [[nodiscard]] int batteryPercent() const { return m_batteryPercent; }
    [[nodiscard]] const QString &network() const { return m_ssid; }
    [[nodiscard]] const QString &bundleID() const { return m_bundleID; }
    [[nodiscard]] ActionKind actionKind() const { return m_actionKind; }
    [[nodiscard]] const std::optional<QUuid> &profile() const { return m_profileID; }
    [[nodiscard]] const std::optional<MenuBarItemID> &item() const { return m_itemID; }
    [[nodiscard]] Section lane() const { return m_lane; }
    [[nodiscard]] const QString &message() const { return m_message; }
    // The stored condition is kept as it is: the condition fields do not show it.
    [[nodiscard]] bool keepsStoredCondition() const { return m_keptCondition.has_value(); }
    [[nodiscard]] const std::optional<TriggerCondition> &storedCondition() const {
        return m_keptCondition;
    }

    [[nodiscard]] std::optional<TriggerCondition> buildCondition() const;
    [[nodiscard]] std::optional<TriggerAction> buildAction() const;
    [[nodiscard]] bool isValid() const { return buildCondition() && buildAction(); }
    // From the condition alone.
    [[nodiscard]] QString suggestedName() const;
    [[nodiscard]] QString sentence() const;
    // The finished rule (the edited rule's id and enabled flag, else new and enabled); absent
    // while the draft is not valid.
    [[nodiscard]] std::optional<TriggerRule> rule() const;

private:
    void seedCondition(const TriggerCondition &condition);
    void seedAction(const TriggerAction &action);

    const QList<MenuBarItem> &m_items;
    const ProfileSet &m_profiles;
    const Workspace &m_workspace;
    std::optional<TriggerRule> m_existing;
    QString m_name;
    ConditionKind m_conditionKind = ConditionKind::BatteryBelow;
    int m_batteryPercent = 20;
    QString m_ssid;
    QString m_bundleID;
    std::optional<TriggerCondition> m_keptCondition;
    ActionKind m_actionKind = ActionKind::RevealHidden;
    std::optional<QUuid> m_profileID;
    std::optional<MenuBarItemID> m_itemID;
    Section m_lane = Section::shown;
    QString m_message;
};

} // namespace zorv
