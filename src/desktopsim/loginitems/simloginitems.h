#pragma once

#include "loginitems.h"

namespace zorv {

// The simulated Mac's login items: remembers whether Zorv opens at login, and refuses changes
// while a refusal text is set (as the real service does when the user has not approved it).
class SimLoginItems final : public LoginItems {
public:
    [[nodiscard]] bool isMainAppEnabled() const override { return m_enabled; }
    std::optional<QString> setMainAppEnabled(bool enabled) override;

    // Every later change fails with `error`; nullopt lets changes through again.
    void setRefusal(std::optional<QString> error) { m_refusal = std::move(error); }

private:
    bool m_enabled = false;
    std::optional<QString> m_refusal;
};

} // namespace zorv
