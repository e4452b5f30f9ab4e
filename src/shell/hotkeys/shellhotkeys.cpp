#include "hotkeys/shellhotkeys.h"

#include "controls/shortcutrule.h"
#include "systemlog.h"

#include <variant>

using namespace Qt::StringLiterals;

namespace zorv {

ShellHotKeys::ShellHotKeys(HotKeyCenter &center, SystemLog &log, HotKeyActions actions)
    : m_center(center), m_log(log), m_actions(std::move(actions)) {}

bool ShellHotKeys::isSafe(const KeyShortcut &shortcut) {
    const auto outcome =
        ShortcutRule::decide(MacKeyPress{shortcut.keyCode(), shortcut.modifiers()});
    return std::holds_alternative<ShortcutRule::Record>(outcome);
}

std::unique_ptr<HotKey> ShellHotKeys::make(const KeyShortcut &shortcut, const QString &role,
                                           std::function<void()> action) {
    if (!isSafe(shortcut)) {
        m_log.write(u"Zorv: ignored the %1 shortcut %2: a global shortcut needs Control, Option or "
                    u"Command unless its key is a function key"_s.arg(role, shortcut.display()));
        return nullptr;
    }
    return m_center.make(shortcut.keyCode(), shortcut.modifiers(), std::move(action));
}

void ShellHotKeys::unregisterAll() {
    for (std::unique_ptr<HotKey> *key : {&m_reveal, &m_search}) {
        if (*key) {
            (*key)->unregister();
            key->reset();
        }
    }
    for (auto *list : {&m_items, &m_profiles}) {
        for (const std::unique_ptr<HotKey> &key : *list) {
            if (key) {
                key->unregister();
            }
        }
        list->clear();
    }
}

void ShellHotKeys::registerHotKeys(const Settings &settings, const ProfileSet &profiles) {
    // Every old key goes first: a combination that moves between roles in one change must find
    // itself free.
    unregisterAll();
    m_reveal = make(settings.revealShortcut.value_or(defaultReveal), u"reveal"_s,
                    [reveal = m_actions.reveal] {
                        if (reveal) {
                            reveal();
                        }
                    });
    m_search = make(settings.searchShortcut.value_or(defaultSearch), u"search"_s,
                    [search = m_actions.toggleSearch] {
                        if (search) {
                            search();
                        }
                    });
    for (const ItemHotkey &entry : settings.itemHotkeys) {
        auto key = make(entry.shortcut, u"item"_s,
                        [activate = m_actions.activateItem, stableKey = entry.key] {
                            if (activate) {
                                activate(stableKey);
                            }
                        });
        if (key) {
            m_items.push_back(std::move(key));
        }
    }
    for (const Profile &profile : profiles.profiles) {
        if (!profile.shortcut) {
            continue;
        }
        auto key = make(*profile.shortcut, u"profile"_s,
                        [change = m_actions.switchProfile, id = profile.id] {
                            if (change) {
                                change(id);
                            }
                        });
        if (key) {
            m_profiles.push_back(std::move(key));
        }
    }
}

QList<const HotKey *> ShellHotKeys::keys() const {
    QList<const HotKey *> all;
    for (const HotKey *key : {m_reveal.get(), m_search.get()}) {
        if (key) {
            all.append(key);
        }
    }
    for (const auto *list : {&m_items, &m_profiles}) {
        for (const std::unique_ptr<HotKey> &key : *list) {
            all.append(key.get());
        }
    }
    return all;
}

} // namespace zorv
