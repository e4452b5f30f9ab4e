#pragma once

namespace zorv {

// Stands in for asking the login window to log the user out (an Apple event to the system, which
// asks the user to confirm first). Main thread.
class LogoutPrompt {
public:
    virtual ~LogoutPrompt() = default;

    // Starts the log-out; false when the system refused the request (no Automation permission,
    // or any scripting error).
    virtual bool requestLogout() = 0;
};

} // namespace zorv
