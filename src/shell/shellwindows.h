#pragma once

#include "settingspane.h"

#include <QString>

#include <optional>

namespace zorv {

// The windows the shell opens on the user's request (status-menu rows, the main menu, hot keys,
// launch arguments and "zorv://" URLs). The composition implements it over the windows this build
// has. Main thread.
class ShellWindows {
public:
    virtual ~ShellWindows() = default;

    // Shows the settings window and brings the application forward: on `pane` when one is
    // given, else on the model's pending pane (which the settings window clears once it shows
    // it).
    virtual void openSettings(std::optional<SettingsPane> pane) = 0;
    // The first-run welcome window; when it is finished, the settings window opens.
    virtual void showOnboarding() = 0;
    // The about panel, in front of every other application's windows.
    virtual void showAbout() = 0;
    // The problem-report window: writing a report, or the screen of a report sent under that id.
    virtual void showReport(const std::optional<QString> &sentReportId) = 0;
    // The search panel: shown (the menus' "Search Menu Bar Items…"), or shown and hidden in turn
    // (the search hot key).
    virtual void showSearchPanel() = 0;
    virtual void toggleSearchPanel() = 0;
};

} // namespace zorv
