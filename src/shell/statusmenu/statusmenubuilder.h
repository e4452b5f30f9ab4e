#pragma once

#include "menu.h"
#include "profiles/profileset.h"
#include "settings/keyshortcut.h"
#include "update/updateavailability.h"

#include <QUrl>

#include <optional>

namespace zorv {

class MenuPresenter;
class ShellCommands;

// What the status menu shows, read afresh at each opening.
struct StatusMenuState {
    // The hidden section is revealed.
    bool revealed = false;
    // The stored search shortcut; the default one when absent.
    std::optional<KeyShortcut> searchShortcut;
    ProfileSet profiles;
    // Updating is possible at all, and what the last check found.
    bool canUpdate = false;
    UpdateAvailability availability;
    // The header's reveal shortcut (MenuBarStatus::hotkey).
    QString revealHotkey;
    // The application's short version; empty when unknown.
    QString version;
    // The Accessibility permission is missing: the menu says so first, with the way to grant it.
    bool needsAccessibility = false;

    friend bool operator==(const StatusMenuState &, const StatusMenuState &) = default;
};

// Builds the status item's menu: the header, the missing permission's row while it is missing,
// "About Zorv" with the version, "Settings…", reveal
// (with its Option alternate that reveals everything), search, "Sort My Bar", the profiles,
// the update row, the tour, "Report a Problem…", the web site and "Quit Zorv". Rows that show
// shortcuts get views that draw them as key caps, every custom row as wide as the widest row.
class StatusMenuBuilder {
public:
    static inline const QUrl headerView =
        QUrl(QStringLiteral("qrc:/Zorv/UI/qml/ZorvMenuHeader.qml"));
    static inline const QUrl trailingRowView =
        QUrl(QStringLiteral("qrc:/Zorv/UI/qml/ZorvMenuRow.qml"));
    static constexpr double minimumWidth = 280;
    static constexpr double headerHeight = 42;
    static constexpr double rowHeight = 24;

    // The menu with every row's action bound to `commands`; `presenter` measures its standard
    // rows.
    [[nodiscard]] static Menu buildMenu(const StatusMenuState &state, ShellCommands &commands,
                                        const MenuPresenter &presenter);

    // The key equivalent of a shortcut: its key name in lower case when that is one printable
    // ASCII character, else none (an arrow or a function key shows only as caps).
    [[nodiscard]] static QString keyEquivalent(const KeyShortcut &shortcut);
};

} // namespace zorv
