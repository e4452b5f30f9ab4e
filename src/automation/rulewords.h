#pragma once

#include "menubaritem.h"
#include "profiles/profileset.h"
#include "triggers/triggeraction.h"
#include "triggers/triggercondition.h"
#include "triggers/triggerrule.h"

#include <QList>
#include <QString>

namespace zorv {

class AppModel;
class Workspace;

// The plain-language words of a rule ("When battery below 20%, reveal hidden items."), naming
// items, applications and profiles the way the user knows them: the items on the bar and the
// profiles as they are at the time of the call, applications by their installed name. A rule
// whose profile or item is gone still reads, with fall-back words. Main thread.
class RuleWords {
public:
    RuleWords(const QList<MenuBarItem> &items, const ProfileSet &profiles,
              const Workspace &workspace);
    // Over the model's current items and profiles.
    RuleWords(const AppModel &model, const Workspace &workspace);

    [[nodiscard]] QString condition(const TriggerCondition &condition) const;
    [[nodiscard]] QString action(const TriggerAction &action) const;
    [[nodiscard]] QString itemName(const MenuBarItemID &id) const;
    // "When " + condition words + ", " + action words + ".".
    [[nodiscard]] QString sentence(const TriggerRule &rule) const;

    // The installed application's name without its ".app", or the bundle identifier when no
    // application has it.
    [[nodiscard]] static QString applicationName(const QString &bundleID,
                                                 const Workspace &workspace);

private:
    const QList<MenuBarItem> &m_items;
    const ProfileSet &m_profiles;
    const Workspace &m_workspace;
};

} // namespace zorv
