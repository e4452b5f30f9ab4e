#pragma once

#include <QString>

#include <optional>

namespace zorv {

// Stands in for the service that registers the main application as a login item
// (ServiceManagement's SMAppService.mainApp): its state, and registering or unregistering it. Main
// thread.
class LoginItems {
public:
    virtual ~LoginItems() = default;

    // Whether the service reports the main application as enabled to open at login.
    [[nodiscard]] virtual bool isMainAppEnabled() const = 0;
    // Registers (true) or unregisters (false) the main application. Returns nullopt on success,
    // otherwise the error's text; the state is then unchanged.
    virtual std::optional<QString> setMainAppEnabled(bool enabled) = 0;
};

} // namespace zorv
