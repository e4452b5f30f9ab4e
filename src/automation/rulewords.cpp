#include "rulewords.h"

#include "appmodel.h"
#include "workspace.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QString sectionWords(Section section) {
    switch (section) {
    case Section::shown:
        return u"Shown"_s;
    case Section::hidden:
        return u"Hidden"_s;
    case Section::alwaysHidden:
        return u"Always Hidden"_s;
    }
    return {};
}

} // namespace

RuleWords::RuleWords(const QList<MenuBarItem> &items, const ProfileSet &profiles,
                     const Workspace &workspace)
    : m_items(items), m_profiles(profiles), m_workspace(workspace) {}

RuleWords::RuleWords(const AppModel &model, const Workspace &workspace)
    : RuleWords(model.items(), model.profiles(), workspace) {}

QString RuleWords::applicationName(const QString &bundleID, const Workspace &workspace) {
    const std::optional<QString> path = workspace.applicationPath(bundleID);
    if (!path) {
        return bundleID;
    }
    QString name = QFileInfo(*path).fileName();
    // Only the bundle's own extension goes: "Mail.app" is "Mail", "My.app.Tools.app" is
    // "My.app.Tools".
    if (name.endsWith(u".app"_s)) {
        name.chop(4);
    }
    return name;
}

QString RuleWords::condition(const TriggerCondition &condition) const {
    switch (condition.kind()) {
    case TriggerCondition::Kind::OnBattery:
        return u"running on battery"_s;
    case TriggerCondition::Kind::Charging:
        return u"plugged in"_s;
    case TriggerCondition::Kind::WifiSSID:
        return u"on the Wi-Fi network \u201C"_s + condition.text() + u"\u201D"_s;
    case TriggerCondition::Kind::AppRunning:
        return applicationName(condition.text(), m_workspace) + u" is open"_s;
    case TriggerCondition::Kind::AppFrontmost:
        return applicationName(condition.text(), m_workspace) + u" is in front"_s;
    default:
        return condition.summary();
    }
}

QString RuleWords::itemName(const MenuBarItemID &id) const {
    for (const MenuBarItem &item : m_items) {
        if (item.id == id) {
            if (item.id.title && !item.id.title->isEmpty()) {
                return *item.id.title;
            }
            return item.appName;
        }
    }
    if (id.title) {
        return *id.title;
    }
    return applicationName(id.bundleID, m_workspace);
}

QString RuleWords::action(const TriggerAction &action) const {
    switch (action.kind()) {
    case TriggerAction::Kind::SwitchProfile:
        for (const Profile &profile : m_profiles.profiles) {
            if (profile.id == action.profileID()) {
                return u"switch to the "_s + profile.name + u" profile"_s;
            }
        }
        return u"switch to a profile that no longer exists"_s;
    case TriggerAction::Kind::MoveItem:
        return u"move "_s + (action.item() ? itemName(*action.item()) : QString()) + u" to "_s +
               sectionWords(action.section());
    case TriggerAction::Kind::RevealItem:
        return u"open "_s + (action.item() ? itemName(*action.item()) : QString());
    case TriggerAction::Kind::Notify:
        if (action.text().isEmpty()) {
            return u"send you a notification"_s;
        }
        return u"tell you \u201C"_s + action.text() + u"\u201D"_s;
    case TriggerAction::Kind::RevealHidden:
        return u"reveal hidden items"_s;
    case TriggerAction::Kind::HideHidden:
        return u"hide hidden items"_s;
    }
    return {};
}

QString RuleWords::sentence(const TriggerRule &rule) const {
    return u"When "_s + condition(rule.condition) + u", "_s + action(rule.action) + u"."_s;
}

} // namespace zorv
