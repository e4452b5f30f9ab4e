#pragma once

#include "locationauthorization.h"

namespace zorv {

// The simulated Mac's Location authorisation for this application: not determined until the
// user answers the prompt (as the script says they will) or a scenario sets it. The answer to a
// request arrives from the next turn of the event loop, as the system's delegate callback does.
// Main thread.
class SimLocationAuthorization final : public LocationAuthorization {
    Q_OBJECT

public:
    explicit SimLocationAuthorization(QObject *parent = nullptr);

    [[nodiscard]] LocationStatus status() const override { return m_status; }
    void requestAlwaysAuthorization() override;

    // Script: the user (or an administrator) changes the permission; notifies on a change.
    void setStatus(LocationStatus status);
    // Script: what the user answers to the next prompts (allow by default).
    void setPromptAnswer(bool allow) { m_promptAnswer = allow; }
    [[nodiscard]] int promptsShown() const { return m_promptsShown; }

private:
    LocationStatus m_status = LocationStatus::NotDetermined;
    bool m_promptAnswer = true;
    int m_promptsShown = 0;
};

} // namespace zorv
