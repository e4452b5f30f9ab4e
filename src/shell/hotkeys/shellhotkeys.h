#pragma once

#include "hotkeys/hotkey.h"
#include "profiles/profileset.h"
#include "settings/settings.h"

#include <QList>
#include <QUuid>

#include <functional>
#include <memory>

namespace zorv {

class SystemLog;

// What the application's global hot keys do.
struct HotKeyActions {
    std::function<void()> reveal;
    std::function<void()> toggleSearch;
    std::function<void(const QString &stableKey)> activateItem;
    std::function<void(const QUuid &profileId)> switchProfile;
};

// The application's whole set of global hot keys, rebuilt from the settings and profiles: the
// reveal key (Option-Command-S unless set), the search key (Option-Command-F unless set), one
// per item hot key and one per profile with a shortcut. A rebuild unregisters every old key
// before registering any new one, so a combination that moves from one role to another in one
// change is registered again. A stored shortcut the shortcut recorder would refuse (a bare
// letter, say, from an imported or hand-edited file) would take that key from every application:
// it is skipped and logged. Main thread.
class ShellHotKeys {
public:
    static constexpr KeyShortcut defaultReveal{1, KeyShortcut::kOption | KeyShortcut::kCommand};
    static constexpr KeyShortcut defaultSearch{3, KeyShortcut::kOption | KeyShortcut::kCommand};

    ShellHotKeys(HotKeyCenter &center, SystemLog &log, HotKeyActions actions);

    void registerHotKeys(const Settings &settings, const ProfileSet &profiles);
    // Every key of the current set (registered or not); empty until the first registration.
    [[nodiscard]] QList<const HotKey *> keys() const;

    // Whether the shortcut recorder would accept the shortcut.
    [[nodiscard]] static bool isSafe(const KeyShortcut &shortcut);

private:
    void unregisterAll();
    std::unique_ptr<HotKey> make(const KeyShortcut &shortcut, const QString &role,
                                 std::function<void()> action);

    HotKeyCenter &m_center;
    SystemLog &m_log;
    HotKeyActions m_actions;
    std::unique_ptr<HotKey> m_reveal;
    std::unique_ptr<HotKey> m_search;
    std::vector<std::unique_ptr<HotKey>> m_items;
    std::vector<std::unique_ptr<HotKey>> m_profiles;
};

} // namespace zorv
