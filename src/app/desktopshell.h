#pragma once

#include "appmodelshell.h"

namespace zorv {

class SystemLog;

// The application shell's side of the app model as far as this desktop has one. The menu-bar
// look, the reveal gestures, the secondary bar's panel and the rule monitors belong to a shell
// that does not exist yet, so the controllers made here are inert: they take what the model
// hands them and show or watch nothing (the secondary bar only keeps whether the model asked for
// it to show). Notifications are real: each goes to the system log. Must outlive the model.
class DesktopShell final : public Notifier {
public:
    explicit DesktopShell(SystemLog &log) : m_log(log) {}

    // Writes "Zorv: <text>" to the system log; nothing for an empty text.
    void post(const QString &text) override;

    // Factories for the model's controllers; this object is their notifier.
    [[nodiscard]] AppModelShell shell();

private:
    SystemLog &m_log;
};

} // namespace zorv
