#pragma once

#include <QString>

namespace zorv {

class Scripting;

// Asks the login window to start logging the user out, as the Spacing pane offers after a
// change that takes effect at the next login.
class LogoutPrompt {
public:
    LogoutPrompt() = delete;

    // The Apple event that asks the login window for the log-out (with its confirmation).
    static const QString script;

    // False when the log-out was not started: the script could not be built, or the system
    // refused it (typically because this application may not control the login window).
    [[nodiscard]] static bool requestLogout(Scripting &scripting);
};

} // namespace zorv
