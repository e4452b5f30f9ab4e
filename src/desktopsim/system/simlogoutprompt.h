#pragma once

#include "logoutprompt.h"

namespace zorv {

// The simulated log-out request: counts the requests and refuses them while told to. The user
// is not logged out. Main thread.
class SimLogoutPrompt final : public LogoutPrompt {
public:
    bool requestLogout() override {
        ++m_requests;
        return !m_refusing;
    }

    // Script call: refuse the following requests, as a missing Automation permission does.
    void setRefusing(bool refusing) { m_refusing = refusing; }
    [[nodiscard]] int requests() const { return m_requests; }

private:
    bool m_refusing = false;
    int m_requests = 0;
};

} // namespace zorv
